// The text box's key events: the caret and the expected text that type-ahead
// relies on, the keys that open and close the list, and the host's key events.
#include <algorithm>
#include <optional>
#include <utility>

#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "grid/frm_griglia.hpp"
#include "platform/text.hpp"

namespace cbo {

namespace {

constexpr int16_t kBackspace = 8;
constexpr int16_t kDelete = 46;

}  // namespace

void CboVarno::Txt_Cbo_KeyPress(int16_t& KeyAscii) {
  annunciateAlTasto_ = scelteAnnunciate_;
  const int32_t selStart = txt_->SelStart();
  const int32_t selLength = txt_->SelLength();
  PosizioneCursore_ = selStart + 1;
  if (list_->StileAttivo() == ListCombo && KeyAscii == kBackspace) {
    // The caret goes where the deleted characters were, so that a box
    // emptied this way shows the first row wholly selected and the next
    // letter starts a new search.
    PosizioneCursore_ = selLength > 0 ? selStart : selStart - 1;
  }
  if (list_->StileAttivo() != ListCombo) {
    const std::string testo = txt_->Text();
    const std::string sinistra = text::Left(testo, selStart);
    const std::string destra = text::From(testo, selStart + selLength);
    const std::string sinistraAccorciata = text::Left(sinistra, text::Length(sinistra) - 1);
    if (KeyAscii == kBackspace) {
      txt_->SetTag(sinistraAccorciata + destra);
      PosizioneCursore_ = selStart - 1;
      // The box itself deletes the selection, or the character before the caret.
      keyEdit_ = selLength > 0 ? KeyEdit{sinistra + destra, selStart}
                               : KeyEdit{sinistraAccorciata + destra, std::max(0, selStart - 1)};
    } else {
      txt_->SetTag(sinistra + text::FromCodePoint(static_cast<uint16_t>(KeyAscii)) + destra);
      keyEdit_ = KeyEdit{txt_->Tag(), selStart + 1};
    }
    testoDigitato_ = txt_->Tag();
  }
  Variant args[1] = {Variant(KeyAscii)};
  Raise(EvKeyPress, args);
  KeyAscii = ToInteger(args[0], "KeyAscii");
}

void CboVarno::Txt_Cbo_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  if (KeyCode == kDelete) RecordDelete();
  // No list opens while any drop-down is open (there is one window for all
  // controls); Escape closes only this control's own.
  if (!shared_.GrigliaAperta() && (KeyCode == 40 || KeyCode == 38)) ApriLista();
  if (listaAperta_ && KeyCode == 27) ApriLista();
  RaiseKey(EvKeyDown, KeyCode, Shift);
}

void CboVarno::Txt_Cbo_KeyUp(int16_t& KeyCode, int16_t& Shift) {
  keyEdit_.reset();
  AnnounceTypedRow();
  RaiseKey(EvKeyUp, KeyCode, Shift);
}

void CboVarno::RecordDelete() {
  const int32_t selStart = txt_->SelStart();
  if (list_->StileAttivo() == ListCombo) {
    PosizioneCursore_ = selStart;  // where the deleted characters were
    return;
  }
  // The box deletes the selection, or the character after the caret.
  const std::string testo = txt_->Text();
  const int32_t fine = selStart + std::max(txt_->SelLength(), 1);
  keyEdit_ = KeyEdit{text::Left(testo, selStart) + text::From(testo, fine), selStart};
}

bool CboVarno::EditInsideText() const {
  if (!keyEdit_) return false;
  const std::string testo = txt_->Text();
  return testo == keyEdit_->text && keyEdit_->caret < text::Length(testo);
}

// In ComboBox, a key typed so that the text box holds just what the user
// typed, nothing of a completion left over, and that is a row's whole text,
// makes that row the user's choice (typing the last letter of a completion
// changes no text, so this is looked at once the key has been applied). The
// host is told once, unless the matching committed the row already.
void CboVarno::AnnounceTypedRow() {
  const std::optional<std::string> digitato = std::exchange(testoDigitato_, std::nullopt);
  if (!digitato || list_->StileAttivo() != ComboBox || scelteAnnunciate_ != annunciateAlTasto_) return;
  const std::string testo = txt_->Text();
  if (testo.empty() || testo != *digitato) return;
  const int32_t riga = RigaCompletata(testo);
  if (riga > 0) AnnounceChoice(riga);
}

}  // namespace cbo
