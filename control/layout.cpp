// Layout of the frame, the text box and the drop-down button; the button face;
// the creation and resize handlers.
#include <algorithm>
#include <cmath>

#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "control/image_list.hpp"

namespace cbo {

namespace {

constexpr double kAltezzaControllo = 320;
constexpr double kPuntiFont = 8.25;

// Pins a shared font object at the control's fixed size; the widget is given
// the object again so that it redraws with it.
template <class W>
void FissaDimensioneFont(W& widget) {
  FontRef f = widget.Font();
  if (f && f->Size != kPuntiFont) {
    f->Size = kPuntiFont;
    widget.SetFont(f);
  }
}

}  // namespace

void CboVarno::UserControl_Initialize() {
  container_.SetWidth(3000);
  txt_->SetText("");
  // A new control's own drop-down is closed (listaAperta_ starts false); the
  // process's flag is left alone, as another control's window may be open.
  list_->SetOkSelezioneAvvenuta(false);
  DisponiControlli();
}

void CboVarno::Resize() { DisponiControlli(); }

void CboVarno::DisponiControlli() {
  // Suspended while this control's own drop-down is open; another control's
  // window changes nothing here.
  if (listaAperta_) return;

  pct_->SetBackColor(BackColor());
  pct_->SetForeColor(ForeColor());

  // A TipoPulsante outside the enumeration shows no picture; the pass goes on.
  cmd_->SetPicture(imageList1_.ListImages(IndiceImmaginePulsante(TipoPulsanteMemorizzato)));

  double spazioPulsante = 0;
  if (StileCboMemorizzato == TextBox) {
    cmd_->SetVisible(false);
  } else {
    cmd_->SetVisible(true);
    cmd_->SetCaption("");
    spazioPulsante = std::nearbyint(cmd_->Width());
  }

  cmd_->SetVisible(StileCboMemorizzato != TextBox && Abilitato_ && !Bloccato_);

  FissaDimensioneFont(*txt_);

  container_.SetHeight(kAltezzaControllo);

  pct_->SetTop(0);
  pct_->SetLeft(0);
  pct_->SetWidth(container_.Width());
  pct_->SetHeight(container_.Height());

  cmd_->SetWidth(pct_->Height() - 60);
  cmd_->SetHeight(pct_->Height() - 60);
  cmd_->SetTop(pct_->Top());
  cmd_->SetLeft(pct_->Left() + pct_->Width() - cmd_->Width() - 60);

  txt_->SetTop(30);
  txt_->SetLeft(30);
  txt_->SetHeight(pct_->Height() - 60);
  // A control narrower than its fixed parts leaves the text box 0 wide.
  txt_->SetWidth(std::max(0.0, pct_->Width() - 120 - spazioPulsante));
}

void CboVarno::AggiornaFontGriglia() {
  FissaDimensioneFont(*cmd_);
  config_.Font_Griglia = cmd_->Font();
}

}  // namespace cbo
