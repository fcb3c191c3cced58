// The text box's key events: the caret and the expected text that type-ahead
// relies on, the keys that open and close the list, and the host's key events.
#include "control/cbo_varno.hpp"
#include "grid/frm_griglia.hpp"
#include "platform/text.hpp"

namespace cbo {

void CboVarno::Txt_Cbo_KeyPress(int16_t& KeyAscii) {
  PosizioneCursore = txt_->SelStart() + 1;
  if (list_.StileAttivo != kListCombo) {
    const std::string testo = txt_->Text();
    const int32_t selStart = txt_->SelStart();
    const std::string sinistra = text::Left(testo, selStart);
    const std::string destra = text::From(testo, selStart + txt_->SelLength());
    if (KeyAscii == 8) {
      txt_->SetTag(text::Left(sinistra, text::Length(sinistra) - 1) + destra);
      PosizioneCursore = selStart - 1;
    } else {
      txt_->SetTag(sinistra + text::FromCodePoint(static_cast<uint16_t>(KeyAscii)) + destra);
    }
  }
  Variant args[1] = {Variant(KeyAscii)};
  Raise(EvKeyPress, args);
  KeyAscii = ToInteger(args[0], "KeyAscii");
}

void CboVarno::Txt_Cbo_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  if (!shared_.GrigliaAperta && (KeyCode == 40 || KeyCode == 38)) ApriLista();
  if (shared_.GrigliaAperta && KeyCode == 27) ApriLista();
  RaiseKey(EvKeyDown, KeyCode, Shift);
}

void CboVarno::Txt_Cbo_KeyUp(int16_t& KeyCode, int16_t& Shift) { RaiseKey(EvKeyUp, KeyCode, Shift); }

}  // namespace cbo
