// The one commit step that writes the chosen row into the text box, the
// table's row-moved notification that drives it, the text box's focus, and
// the events passed on to the host.
#include "control/cbo_varno.hpp"
#include "platform/error.hpp"
#include "platform/text.hpp"

namespace cbo {

void CboVarno::ApplicaScelta() {
  if (shared_.CaricamentoInCorso) return;
  if (list_.OkSelezioneAvvenuta) {
    // Reading the row's index here leaves the flag set, so that writing the
    // text below runs no matching pass in ListCombo.
    if (list_.StileAttivo == kListCombo) txt_->SetTag(std::to_string(list_.IndiceRigaCorrente()));
    std::string vuoto;
    txt_->SetText(ToText(EseguiTextColumn(LeggiDaTextColumn, vuoto), "Text"));
    if (rowChosen_ && list_.TabellaAperta() && !list_.Rcset_Cbo->Eof())
      rowChosen_(ToLong(list_.Rcset_Cbo->Field(kIndexField), kIndexField));
    // A text box that cannot take the focus or the selection is left as it is.
    try {
      txt_->SetFocus();
    } catch (const Error&) {
    }
    try {
      txt_->SetSelStart(0);
    } catch (const Error&) {
    }
    try {
      txt_->SetSelLength(text::Length(txt_->Text()));
    } catch (const Error&) {
    }
  }
  list_.OkSelezioneAvvenuta = false;
}

void CboVarno::AdoRec_MoveComplete() { ApplicaScelta(); }

void CboVarno::Txt_Cbo_GotFocus() {
  txt_->SetSelStart(0);
  txt_->SetSelLength(text::Length(txt_->Text()));
}

void CboVarno::Raise(int number, std::span<Variant> args) { container_.RaiseEvent(number, args); }

void CboVarno::RaiseKey(int number, int16_t& keyCode, int16_t& shift) {
  Variant args[2] = {Variant(keyCode), Variant(shift)};
  Raise(number, args);
  keyCode = ToInteger(args[0], "KeyCode");
  shift = ToInteger(args[1], "Shift");
}

void CboVarno::RaiseMouse(int number, int16_t& button, int16_t& shift, float& x, float& y) {
  Variant args[4] = {Variant(button), Variant(shift), Variant(x), Variant(y)};
  Raise(number, args);
  button = ToInteger(args[0], "Button");
  shift = ToInteger(args[1], "Shift");
  x = static_cast<float>(ToDouble(args[2], "X"));
  y = static_cast<float>(ToDouble(args[3], "Y"));
}

}  // namespace cbo
