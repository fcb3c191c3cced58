// Type-ahead: completing (ComboBox) or forcing (ListCombo) the typed text from
// the list, the text box's change handler, and the Text property.
#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "list/criteria.hpp"
#include "platform/error.hpp"
#include "platform/scoped_flag.hpp"
#include "platform/text.hpp"

namespace cbo {

namespace {

// Runs one step whose table or field failure is skipped: the operation goes
// on with its next step. Returns whether the step succeeded.
template <class Step>
bool SkipOnFailure(Step&& step) {
  try {
    step();
    return true;
  } catch (const Error&) {
    return false;
  }
}

// A text-column value as text; a missing or Null value reads as "".
std::string TestoCampo(const Variant& v) { return v.IsNull() ? std::string() : ToText(v, "text column"); }

}  // namespace

Variant CboVarno::EseguiTextColumn(int32_t mode, std::string& text) {
  if (shared_.CaricamentoInCorso()) return Variant();
  if (list_->StileAttivo() == TextBox) {
    if (mode == SettaDaTextColumn) UltimoTesto_ = text;
    return Variant(UltimoTesto_);
  }
  if (list_->NumMtCol() == 0) return Variant("");
  if (!list_->TabellaAperta()) return Variant("");
  Recordset& tabella = *list_->Rcset_Cbo();
  const std::string& Text_Col = list_->Text_Col();
  const bool listCombo = list_->StileAttivo() == ListCombo;
  const bool comboBox = list_->StileAttivo() == ComboBox;

  if (mode == LeggiDaTextColumn) {
    if (Text_Col.empty()) return Variant("");
    // Outside ListCombo the row's text gives way to UltimoTesto_ when no row
    // is chosen, and to "" when nothing was taken as the text yet and the grid
    // is closed; the row is read only when its text is the answer.
    if (!listCombo && !list_->OkSelezioneAvvenuta()) return Variant(UltimoTesto_);
    if (!listCombo && UltimoTesto_.empty() && !listaAperta_) return Variant("");
    std::string result;
    SkipOnFailure([&] { result = TestoCampo(tabella.Field(Text_Col)); });
    return Variant(result);
  }
  if (mode != SettaDaTextColumn) return Variant();

  list_->SetOkSelezioneAvvenuta(false);
  if (tabella.Eof())
    IndiceSelezionato_ = 0;
  else
    IndiceSelezionato_ = ToLong(tabella.Field(kIndexField), kIndexField);

  // The typed text is searched for as it stands: the criteria double its quotes.

  // Nothing to search when the current row already holds the text, or when
  // the table has no text column or no rows. A table standing on no row is
  // searched as from any row.
  bool uguale = true;
  SkipOnFailure([&] {
    if (tabella.FieldNumber(Text_Col) < 0 || tabella.RecordCount() == 0) return;
    uguale = false;
    if (tabella.Eof()) return;
    Variant corrente = tabella.Field(Text_Col);
    uguale = !corrente.IsNull() && ToText(corrente, Text_Col) == text;
  });
  if (uguale) {
    list_->SetOkSelezioneAvvenuta(false);
    return Variant(text);
  }

  bool trovataEsatta = false;
  shared_.SetCriterioRicerca(CriterioUguale(Text_Col, text));
  SkipOnFailure([&] { tabella.MoveFirst(); });
  SkipOnFailure([&] { tabella.Find(shared_.CriterioRicerca()); });
  if (!tabella.Eof()) {
    SkipOnFailure([&] { IndiceSelezionato_ = ToLong(tabella.Field(kIndexField), kIndexField); });
    trovataEsatta = true;
  }

  while (!trovataEsatta) {
    // Prefix search.
    shared_.SetCriterioRicerca(CriterioInizia(Text_Col, text));
    SkipOnFailure([&] { tabella.MoveFirst(); });
    SkipOnFailure([&] { tabella.Find(shared_.CriterioRicerca()); });
    // Only ComboBox completes or gives the text back here; ListCombo, and any
    // style value outside the enumeration, looks for the longest leading part.
    if (comboBox) {
      if (tabella.Eof()) {
        shared_.SetCriterioRicerca(CriterioUguale(kIndexField, std::to_string(IndiceSelezionato_)));
        SkipOnFailure([&] { tabella.MoveFirst(); });
        SkipOnFailure([&] { tabella.Find(shared_.CriterioRicerca()); });
        return Variant(text);
      }
      if (!text.empty()) {
        Variant trovato;
        SkipOnFailure([&] { IndiceSelezionato_ = ToLong(tabella.Field(kIndexField), kIndexField); });
        SkipOnFailure([&] { trovato = Variant(TestoCampo(tabella.Field(Text_Col))); });
        return trovato;
      }
      IndiceSelezionato_ = 1;
      return Variant("");
    }
    if (!tabella.Eof()) break;
    text = text::Left(text, text::Length(text) - 1);
    if (text.empty()) {
      SkipOnFailure([&] { tabella.MoveFirst(); });
      break;
    }
  }

  std::string result;
  SkipOnFailure([&] { result = TestoCampo(tabella.Field(Text_Col)); });
  SkipOnFailure([&] { list_->AllineaRigaCorrente(); });
  return Variant(result);
}

void CboVarno::Txt_Cbo_Change() {
  IndiciDaFare();  // a search is coming
  if (PosizioneCursore_ < 0) PosizioneCursore_ = 0;
  // The style is read afresh at each step: a host's Change handler, run from
  // inside a step, may have changed it.
  if (list_->StileAttivo() == ListCombo && !list_->OkSelezioneAvvenuta() && !shared_.CaricamentoInCorso()) {
    std::string testo = txt_->Text();
    txt_->SetText(ToText(EseguiTextColumn(SettaDaTextColumn, testo), "Text"));
    txt_->SetSelStart(PosizioneCursore_);
    txt_->SetSelLength(text::Length(txt_->Text()));
    NotificaChange();
  }

  if (list_->StileAttivo() == ComboBox && !shared_.CaricamentoInCorso()) {
    std::string testo = txt_->Text();
    const bool dentroIlTesto = EditInsideText();
    const int32_t caretDopoIlTasto = dentroIlTesto ? keyEdit_->caret : 0;
    std::string risultato = ToText(EseguiTextColumn(SettaDaTextColumn, testo), "Text");
    if (dentroIlTesto) {
      // A key typed, or a character deleted, before the end of the text: the
      // text stays as the user made it, nothing completed and nothing
      // selected, so that the characters after the caret are never replaced
      // by the next key. The list is matched all the same.
      UltimoTesto_ = txt_->Text();
      txt_->SetSelStart(caretDopoIlTasto);
      txt_->SetSelLength(0);
    } else {
      UltimoTesto_ = risultato;
      if (risultato != txt_->Tag()) {
        // The completion waits to be committed; only the row it completed may
        // be (none when the text was given back unmatched).
        list_->SetOkSelezioneAvvenuta(true);
        list_->SetCompletamentoInAttesa(RigaCompletata(risultato));
        txt_->SetText(risultato);
        txt_->SetTag(txt_->Text());
      }
      txt_->SetSelStart(PosizioneCursore_);
      txt_->SetSelLength(text::Length(txt_->Text()));
    }
  }

  if (list_->StileAttivo() == TextBox) UltimoTesto_ = txt_->Text();

  if (list_->StileAttivo() == TextBox || list_->StileAttivo() == ComboBox) {
    std::string testo = txt_->Text();
    if (testo != UltimoTestoNotificato_) {
      UltimoTesto_ = testo;
      UltimoTestoNotificato_ = testo;
      NotificaChange();
    }
  } else if (list_->StileAttivo() == ListCombo) {
    if (!list_->TabellaAperta())
      NotificaChange();
    else if (list_->Rcset_Cbo()->Eof())
      txt_->SetText("");
  }
}

int32_t CboVarno::RigaCompletata(const std::string& risultato) {
  int32_t indice = -1;
  if (!list_->TabellaAperta()) return indice;
  Recordset& tabella = *list_->Rcset_Cbo();
  SkipOnFailure([&] {
    if (!tabella.Eof() && TestoCampo(tabella.Field(list_->Text_Col())) == risultato)
      indice = ToLong(tabella.Field(kIndexField), kIndexField);
  });
  return indice;
}

void CboVarno::NotificaChange() { Raise(EvChange, {}); }

std::string CboVarno::Text() { return txt_->Text(); }

void CboVarno::SetText(const std::string& v) {
  ScopedFlag host(operazioneHost_);
  ListStore::NonMostrareListaScope nonMostrare(*list_);
  std::string testo = v;
  std::string risultato = ToText(EseguiTextColumn(SettaDaTextColumn, testo), "Text");
  TextMemorizzato = risultato;
  txt_->SetText(risultato);
  container_.PropertyChanged("Text");
}

}  // namespace cbo
