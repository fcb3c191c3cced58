// The one commit step that writes the chosen row into the text box, the
// table's row-moved notification that drives it, the text box's focus, and
// the events passed on to the host.
#include <utility>

#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "platform/error.hpp"
#include "platform/text.hpp"

namespace cbo {

void CboVarno::ApplicaScelta() {
  // Nothing is committed while a list is being built, nor while this
  // control's drop-down is open: moving in the grid chooses nothing, the
  // choice is read when the window closes.
  if (shared_.CaricamentoInCorso() || listaAperta_) return;
  const int32_t completata = list_->CompletamentoInAttesa();
  list_->SetCompletamentoInAttesa(0);
  if (!list_->OkSelezioneAvvenuta()) return;

  Recordset& tabella = list_->Tabella();
  const bool suUnaRiga = tabella.State() == 1 && !tabella.Eof();
  auto indiceCorrente = [&] { return suUnaRiga ? ToLong(tabella.Field(kIndexField), kIndexField) : 0; };
  // A completion left waiting commits only the row it completed; a move to
  // any other row (a host's RemoveItem, say) ends the wait without a commit.
  if (completata != 0 && indiceCorrente() != completata) {
    list_->SetOkSelezioneAvvenuta(false);
    return;
  }
  // A row is chosen when the commit writes its text into the text box:
  // always in ListCombo; in the other styles unless a text is kept in its
  // place (a list filled before anything was typed or chosen leaves "").
  const bool rigaScelta =
      suUnaRiga && (list_->StileAttivo() == ListCombo ||
                    (!(UltimoTesto_.empty() && !listaAperta_) && tabella.FieldNumber(list_->Text_Col()) >= 0));
  const int32_t indice = rigaScelta || list_->StileAttivo() == ListCombo ? indiceCorrente() : 0;

  // The flag is still set while the text is written, so that in ListCombo no
  // matching pass follows.
  if (list_->StileAttivo() == ListCombo) txt_->SetTag(suUnaRiga ? std::to_string(indice) : std::string());
  std::string vuoto;
  txt_->SetText(ToText(EseguiTextColumn(LeggiDaTextColumn, vuoto), "Text"));
  if (rigaScelta) IndiceSelezionato_ = indice;

  // From here a text box that cannot take the focus or the selection is left
  // as it is. Only a choice the user makes takes the focus: a host filling or
  // setting the list leaves the focus where it is.
  if (!operazioneHost_) {
    try {
      txt_->SetFocus();
    } catch (const Error&) {}
  }
  try {
    txt_->SetSelStart(0);
  } catch (const Error&) {}
  try {
    txt_->SetSelLength(text::Length(txt_->Text()));
  } catch (const Error&) {}
  // The change handler run by the text may have left a completion waiting:
  // this commit ends it.
  list_->SetOkSelezioneAvvenuta(false);
  list_->SetCompletamentoInAttesa(0);
  if (rigaScelta) AnnounceChoice(indice);
}

void CboVarno::AnnounceChoice(int32_t indice) {
  ++scelteAnnunciate_;
  fonteScelta_ = sceltaDallaGriglia_ ? ChoiceSource::DropDown
                 : operazioneHost_   ? ChoiceSource::Host
                                     : ChoiceSource::Typing;
  if (rowChosen_) rowChosen_(indice);
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
