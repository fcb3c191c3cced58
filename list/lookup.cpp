// Row lookup by index or bound value, removal, count and ListValue.
#include "list/list_store.hpp"
#include "platform/error.hpp"

namespace cbo {

int32_t ListStore::IndiceCorrente() { return ToLong(Rcset_Cbo_->Field(kIndexField), kIndexField); }

std::string ListStore::CurrentRowText() const {
  if (!TabellaAperta() || Rcset_Cbo_->Eof() || Rcset_Cbo_->FieldNumber(Text_Col_) < 0) return std::string();
  const Variant testo = Rcset_Cbo_->Field(Text_Col_);
  return testo.IsNull() ? std::string() : ToText(testo, Text_Col_);
}

void ListStore::AllineaRigaCorrente() {
  OkSelezioneAvvenuta_ = true;
  CompletamentoInAttesa_ = 0;
  Recordset& tabella = Tabella();
  // The current row found again by its index is the current row itself (no
  // two rows share an index): the table announces it once more, as such a
  // find would, without building and searching a criterion. With no current
  // row, reading its index raises the table's error.
  if (tabella.Eof()) tabella.Field(kIndexField);
  tabella.MoveTo(tabella.Position());
}

int32_t ListStore::EseguiListIndex(int32_t mode, int32_t index) {
  int32_t result = 0;
  if (shared_.CaricamentoInCorso() || NumMtCol_ == 0 || !HaRighe()) return result;
  OkSelezioneAvvenuta_ = false;
  if (mode == SettaDaListIndex) {
    if (StileAttivo_ != ListCombo) return result;
    Recordset& tabella = *Rcset_Cbo_;
    shared_.SetCriterioRicerca(CriterioUguale(kIndexField, std::to_string(index)));
    tabella.MoveFirst();
    tabella.Find(shared_.CriterioRicerca());
    if (tabella.Eof()) tabella.MoveFirst();
    int32_t selezionato = IndiceCorrente();
    if (selezionato != index) result = selezionato;
    AllineaRigaCorrente();
  } else if (mode == LeggiDaListIndex) {
    // No current row reads as no row, as Value reads "".
    if (StileAttivo_ == ListCombo && !Rcset_Cbo_->Eof()) result = IndiceCorrente();
  }
  return result;
}

Variant ListStore::EseguiBoundColumn(int32_t mode, const Variant& value) {
  if (shared_.CaricamentoInCorso()) return Variant();
  if (NumMtCol_ == 0 || !HaRighe()) return Variant("");
  OkSelezioneAvvenuta_ = false;
  Recordset& tabella = *Rcset_Cbo_;
  if (mode == SettaDaBoundColumn) {
    if (StileAttivo_ != ListCombo) return Variant("");
    Variant result;
    shared_.SetCriterioRicerca(CriterioUguale(Bound_Col_, ToText(value, "Value")));
    tabella.MoveFirst();
    tabella.Find(shared_.CriterioRicerca());
    if (tabella.Eof()) {
      tabella.MoveFirst();
      result = Variant(ToText(tabella.Field(Bound_Col_), Bound_Col_));
    }
    AllineaRigaCorrente();
    return result;
  }
  if (mode == LeggiDaBoundColumn) {
    if (StileAttivo_ != ListCombo) return Variant("");
    if (Bound_Col_.empty()) return Variant(int16_t{-1});
    if (tabella.Eof()) return Variant("");
    return Variant(ToText(tabella.Field(Bound_Col_), Bound_Col_));
  }
  return Variant();
}

int32_t ListStore::Record_Count() {
  try {
    if (TabellaAperta()) return Rcset_Cbo_->RecordCount();
    return 0;
  } catch (const Error&) {
    return 0;
  }
}

void ListStore::RemoveItem(int32_t Indice_Record) {
  NonDuranteRiempimento("RemoveItem");
  NonInSolaLettura("RemoveItem");
  if (StileAttivo_ == TextBox || NumMtCol_ < 1) return;
  // A table standing on no row still gives up the row asked for.
  if (!HaRighe()) return;
  Recordset& tabella = *Rcset_Cbo_;
  const std::string rimossa = std::to_string(Indice_Record);
  const std::string ricordato = tabella.Eof() ? std::string() : ToText(tabella.Field(kIndexField), kIndexField);
  tabella.MoveFirst();
  tabella.Find(CriterioUguale(kIndexField, rimossa));
  if (tabella.Eof()) {
    // No row has that index: nothing is removed and the current row is put back.
    if (!ricordato.empty()) {
      tabella.MoveFirst();
      tabella.Find(CriterioUguale(kIndexField, ricordato));
    }
    return;
  }
  tabella.Delete();
  if (StileAttivo_ == ListCombo) {
    // The table goes back to the row the text box shows. When that row was the
    // one removed, the first remaining row is shown instead; when no row
    // remains, the commit empties the text box.
    const std::string mostrata = txt_.Tag();
    const bool altre = tabella.RecordCount() > 0;
    if (!mostrata.empty() && mostrata != rimossa && altre) {
      tabella.MoveFirst();
      tabella.Find(CriterioUguale(kIndexField, mostrata));
      if (!tabella.Eof()) return;
    }
    if (!mostrata.empty() || rimossa == ricordato || !altre) {
      OkSelezioneAvvenuta_ = true;
      CompletamentoInAttesa_ = 0;
    }
  }
  tabella.MoveFirst();
}

Variant ListStore::ListValue(const std::string& Current_Field_Value) {
  if (NumMtCol_ != 0 && TabellaAperta() && !Rcset_Cbo_->Eof() && StileAttivo_ == ListCombo &&
      !Current_Field_Value.empty())
    return Rcset_Cbo_->Field(Current_Field_Value);
  return Variant::Null();
}

}  // namespace cbo
