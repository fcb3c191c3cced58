// The text box's key events: the caret and the expected text that type-ahead
// relies on, the keys that open and close the list, and the host's key events.
#include <optional>
#include <utility>

#include "control/cbo_varno.hpp"
#include "grid/frm_griglia.hpp"
#include "platform/text.hpp"

namespace cbo {

void CboVarno::Txt_Cbo_KeyPress(int16_t& KeyAscii) {
  annunciateAlTasto_ = scelteAnnunciate_;
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
    testoDigitato_ = txt_->Tag();
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

void CboVarno::Txt_Cbo_KeyUp(int16_t& KeyCode, int16_t& Shift) {
  AnnunciaRigaDigitata();
  RaiseKey(EvKeyUp, KeyCode, Shift);
}

// In ComboBox, a key typed so that the text box holds just what the user
// typed, nothing of a completion left over, and that is a row's whole text,
// makes that row the user's choice (typing the last letter of a completion
// changes no text, so this is looked at once the key has been applied). The
// host is told once, unless the matching committed the row already.
void CboVarno::AnnunciaRigaDigitata() {
  const std::optional<std::string> digitato = std::exchange(testoDigitato_, std::nullopt);
  if (!digitato || list_.StileAttivo != kComboBox || scelteAnnunciate_ != annunciateAlTasto_) return;
  const std::string testo = txt_->Text();
  if (testo.empty() || testo != *digitato) return;
  const int32_t riga = RigaCompletata(testo);
  if (riga > 0) AnnunciaScelta(riga);
}

}  // namespace cbo
