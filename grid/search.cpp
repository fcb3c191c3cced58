// What the user does in the open window: typed search, sorting by a header,
// the current row following the mouse, choosing and cancelling.
#include <memory>
#include <string>

#include "grid/frm_griglia.hpp"
#include "grid/module1.hpp"
#include "list/criteria.hpp"
#include "list/list_store.hpp"
#include "platform/error.hpp"
#include "platform/platform.hpp"
#include "platform/text.hpp"
#include "platform/variant.hpp"

namespace cbo {

namespace {

constexpr int16_t kInvio = 13;
constexpr int16_t kEsc = 27;

int32_t Arrotonda(double v, const char* che) { return ToLong(Variant(v), che); }

}  // namespace

// --- Header click ---

void FrmGriglia::Lbl_Field_Click(int i) {
  const std::string campo = Definizione(i).Nome_Field;
  if (Definizione(i).Colonna_Ordinabile && TabellaAperta()) {
    Recordset& tabella = Tabella();
    // A table on no row is sorted and stays on no row.
    const bool suUnaRiga = !tabella.Eof();
    const std::string indice = suUnaRiga ? ToText(tabella.Field(kIndexField), kIndexField) : std::string();
    tabella.Sort(campo);
    // The row that was current before the sort is current again.
    if (suUnaRiga) tabella.Find(CriterioUguale(kIndexField, indice), 0);
    // The filter shows the rows that match in the new order.
    if (FilterOn()) ApplyFilter();
  }
  CampoRicerca_ = campo;
}

// --- Keys ---

void FrmGriglia::MSF_KeyPress(int16_t keyAscii) {
  if (keyAscii == kInvio) {
    ConfermaScelta(true);
    return;
  }
  // With the filter on, the characters go to the filter line.
  if (FilterOn()) {
    FilterKeyPress(keyAscii);
    return;
  }
  if (keyAscii == kEsc) {
    ChiudiSenzaScelta();
    return;
  }
  FaseRicerca_ = 1;
  UltimoCarattere_ = text::FromCodePoint(static_cast<char32_t>(static_cast<uint16_t>(keyAscii)));
  MSF().SetTag(MSF().Tag() + UltimoCarattere_);
  CercaDigitato();
  T_Trova().SetEnabled(true);
}

void FrmGriglia::MSF_KeyDown() { BloccaInseguimento_ = true; }

void FrmGriglia::CercaDigitato() {
  config_.OkSelezioneAvvenuta = false;
  if (!TabellaAperta()) return;  // a list cleared while the window is open
  Recordset& tabella = Tabella();
  int32_t v = 0;
  try {
    if (CampoRicerca_.empty()) CampoRicerca_ = config_.Text_Col;
    // From no current row the search works all the same; a failed one goes
    // back to no row (no row has index 0).
    if (!tabella.Eof()) v = ToLong(tabella.Field(kIndexField), kIndexField);
    const std::string criterio = CriterioInizia(CampoRicerca_, MSF().Tag());
    tabella.MoveFirst();
    tabella.Find(criterio, 0);
    if (tabella.Eof()) {
      // Nothing matches: the row that was current stays current.
      tabella.MoveFirst();
      tabella.Find(CriterioUguale(kIndexField, std::to_string(v)), 0);
    }
    MSF().Refresh();
  } catch (const Error&) {
    // Typed search never fails visibly: the previous row is put back.
    tabella.MoveFirst();
    tabella.Find(CriterioUguale(kIndexField, std::to_string(v)), 0);
    MSF().Refresh();
  }
}

// The buffer is emptied by the second tick after the last key.
void FrmGriglia::T_Trova_Timer() {
  if (FaseRicerca_ == 1) {
    FaseRicerca_ = 2;
  } else if (FaseRicerca_ == 2) {
    MSF().SetTag("");
    T_Trova().SetEnabled(false);
  }
  UltimoCarattere_ = "";
}

// --- Mouse ---

void FrmGriglia::MSF_MouseMove(float x, float y) {
  // The first report after the show never moves the row: the cursor may be
  // resting over the grid.
  if (PrimoMovimento_) {
    PrimoMovimento_ = false;
    BloccaInseguimento_ = true;
    UltimoMouseX_ = Arrotonda(x, "X");
    UltimoMouseY_ = Arrotonda(y, "Y");
  }
  // A move of 10 twips or more, either way, lets the row follow again.
  if (!(y + 10 > UltimoMouseY_) || !(y - 10 < UltimoMouseY_)) BloccaInseguimento_ = false;
  if (!(x + 10 > UltimoMouseX_) || !(x - 10 < UltimoMouseX_)) BloccaInseguimento_ = false;
  SeguiCursore();
  UltimoMouseX_ = Arrotonda(x, "X");
  UltimoMouseY_ = Arrotonda(y, "Y");
}

void FrmGriglia::SeguiCursore() {
  if (!shared_.GrigliaAperta() || BloccaInseguimento_) return;
  const double y = CursoreY();
  const double passo = MSF().RowHeight() + shared_.SpessoreRiga();
  const double top = config_.Vis_Fields ? config_.AltezzaIntestazione : 0;
  if (y < top) return;  // over the header band
  const int32_t passoIntero = Arrotonda(passo, "RowHeight");
  if (passoIntero == 0) return;  // rows without height: nothing to follow
  const int16_t riga = NarrowToInteger(Arrotonda(y - top, "Y") / passoIntero, "Row");

  // From here each failing step is skipped.
  try {
    if (MSF().Row() == riga) return;
  } catch (const Error&) {
    return;
  }
  config_.OkSelezioneAvvenuta = false;
  try {
    MSF().SetRow(riga);
  } catch (const Error&) {
    // A row the grid does not show (below the last one) leaves the row alone.
  }
  try {
    MSF().Refresh();
  } catch (const Error&) {}
}

void FrmGriglia::MSF_MouseUp(int16_t button) {
  if (button == 1) {
    ConfermaScelta(false);
  } else if (button == 2) {
    ChiudiSenzaScelta();
  }
}

// --- Choosing and cancelling ---

void FrmGriglia::ConfermaScelta(bool forza) {
  const bool sulleRighe = CursoreSulleRighe();
  if (forza || sulleRighe) {
    // Closing drops the process's reference; the flag is written afterwards.
    const std::shared_ptr<FrmGriglia> trattenuta = weak_from_this().lock();
    ChiudiGriglia(shared_);
    config_.OkSelezioneAvvenuta = true;
  }
}

void FrmGriglia::ChiudiSenzaScelta() {
  const std::shared_ptr<FrmGriglia> trattenuta = weak_from_this().lock();
  config_.OkSelezioneAvvenuta = false;
  ChiudiGriglia(shared_);
}

bool FrmGriglia::CursoreSulleRighe() {
  const double top = config_.Vis_Fields ? config_.AltezzaIntestazione : 0;
  return CursoreY() + 45 >= top;
}

double FrmGriglia::CursoreY() {
  // Like the control's rectangle, a point the platform cannot give stays at zero.
  PixelPoint punto{};
  const IWindowServices& servizi = shared_.platform.Services();
  servizi.GetCursorPos(punto);
  servizi.ScreenToClient(MSF().hWnd(), punto);
  return static_cast<double>(punto.Y) * kTwipPerPixel;
}

}  // namespace cbo
