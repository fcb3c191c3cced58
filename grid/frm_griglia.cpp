// The window's constituents as the design has them, and the wiring of their
// notifications to the window's handlers.
#include "grid/frm_griglia.hpp"

#include <string>

#include "platform/error.hpp"
#include "platform/platform.hpp"

namespace cbo {

namespace {

// Element 0 of the header boxes as designed; every element created at run
// time starts as a copy of it.
constexpr const char* kCaptionProgetto = "Label1";
constexpr int16_t kCursorePersonalizzato = 99;
constexpr double kLarghezzaProgetto = 1000;
constexpr double kAltezzaProgetto = 265;

}  // namespace

FrmGriglia::FrmGriglia(ProcessState& shared) : shared_(shared) {
  Platform& platform = shared_.platform;
  form_ = platform.CreateWindow();
  pct1_ = platform.CreatePictureBox(*form_);
  pct1_->SetLeft(30);
  pct1_->SetTop(30);
  msf_ = platform.CreateDataGrid(*pct1_);
  msf_->SetLeft(0);
  msf_->SetTop(0);
  tTrova_ = platform.CreateTimer();
  CreaElementoIntestazione(0);
  CreateFilterLine();
  CollegaEventi();
}

FrmGriglia::~FrmGriglia() = default;

void FrmGriglia::CreaElementoIntestazione(int i) {
  if (pctField_.count(i) != 0) return;  // already loaded
  Platform& platform = shared_.platform;
  auto box = platform.CreatePictureBox(*pct1_);
  box->SetVisible(false);
  box->SetLeft(0);
  box->SetTop(0);
  box->SetWidth(kLarghezzaProgetto);
  box->SetHeight(kAltezzaProgetto);
  auto label = platform.CreateLabel(*box);
  label->SetVisible(false);
  label->SetLeft(0);
  label->SetTop(0);
  label->SetWidth(kLarghezzaProgetto);
  label->SetHeight(kAltezzaProgetto);
  label->SetCaption(kCaptionProgetto);
  label->SetMousePointer(kCursorePersonalizzato);
  label->SetEvents(LabelEvents{[this, i] { Lbl_Field_Click(i); }});
  pctField_.emplace(i, std::move(box));
  lblField_.emplace(i, std::move(label));
}

void FrmGriglia::CollegaEventi() {
  GridEvents eventi;
  eventi.KeyPress = [this](int16_t& keyAscii) { MSF_KeyPress(keyAscii); };
  eventi.KeyDown = [this](int16_t&, int16_t&) { MSF_KeyDown(); };
  eventi.MouseMove = [this](int16_t&, int16_t&, float& x, float& y) { MSF_MouseMove(x, y); };
  eventi.MouseUp = [this](int16_t& button, int16_t&, float&, float&) { MSF_MouseUp(button); };
  eventi.LayoutChanged = [this] { DisponiIntestazioni(); };
  msf_->SetEvents(std::move(eventi));
  tTrova_->SetTick([this] { T_Trova_Timer(); });
  // Keys go to the grid as soon as the window is active.
  form_->SetActivate([this] { msf_->SetFocus(); });
}

Recordset& FrmGriglia::Tabella() const {
  if (!table_) throw Error(ErrorKind::Table, "Rcset_Cbo_Griglia: the grid window has no table");
  return *table_;
}

ColumnDef& FrmGriglia::Definizione(int i) {
  if (i < 0 || static_cast<size_t>(i) >= matriceV_.size()) {
    throw Error(ErrorKind::SubscriptOutOfRange, "Matrice_V(" + std::to_string(i) + "): subscript out of range, " +
                                                    std::to_string(matriceV_.size()) + " column definitions");
  }
  return matriceV_[static_cast<size_t>(i)];
}

IPictureBox& FrmGriglia::Pct_FieldElemento(int i) {
  auto it = pctField_.find(i);
  if (it == pctField_.end()) {
    throw Error(ErrorKind::SubscriptOutOfRange, "Pct_Field(" + std::to_string(i) + "): no such element");
  }
  return *it->second;
}

ILabel& FrmGriglia::Lbl_FieldElemento(int i) {
  auto it = lblField_.find(i);
  if (it == lblField_.end()) {
    throw Error(ErrorKind::SubscriptOutOfRange, "Lbl_Field(" + std::to_string(i) + "): no such element");
  }
  return *it->second;
}

}  // namespace cbo
