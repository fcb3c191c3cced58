// Row lookup by index or bound value, removal, count and ListValue.
#include "list/list_store.hpp"
#include "platform/error.hpp"

namespace cbo {

int32_t ListStore::IndiceCorrente() { return ToLong(Rcset_Cbo->Field(kIndexField), kIndexField); }

void ListStore::AllineaRigaCorrente() {
  OkSelezioneAvvenuta = true;
  Recordset& tabella = Tabella();
  std::string indice = ToText(tabella.Field(kIndexField), kIndexField);
  tabella.Find(CriterioUguale(kIndexField, indice));
}

int32_t ListStore::EseguiListIndex(int32_t mode, int32_t index) {
  int32_t result = 0;
  if (shared_.CaricamentoInCorso || NumMtCol == 0 || !HaRighe()) return result;
  OkSelezioneAvvenuta = false;
  if (mode == SettaDaListIndex) {
    if (StileAttivo != kListCombo) return result;
    Recordset& tabella = *Rcset_Cbo;
    shared_.CriterioRicerca = CriterioUguale(kIndexField, std::to_string(index));
    tabella.MoveFirst();
    tabella.Find(shared_.CriterioRicerca);
    if (tabella.Eof()) tabella.MoveFirst();
    int32_t selezionato = IndiceCorrente();
    if (selezionato != index) result = selezionato;
    AllineaRigaCorrente();
  } else if (mode == LeggiDaListIndex) {
    if (StileAttivo == kListCombo) result = IndiceCorrente();
  }
  return result;
}

int32_t ListStore::IndiceRigaCorrente() {
  if (shared_.CaricamentoInCorso || NumMtCol == 0 || !HaRighe()) return 0;
  return StileAttivo == kListCombo ? IndiceCorrente() : 0;
}

Variant ListStore::EseguiBoundColumn(int32_t mode, const Variant& value) {
  if (shared_.CaricamentoInCorso) return Variant();
  if (NumMtCol == 0 || !HaRighe()) return Variant("");
  OkSelezioneAvvenuta = false;
  Recordset& tabella = *Rcset_Cbo;
  if (mode == SettaDaBoundColumn) {
    if (StileAttivo != kListCombo) return Variant("");
    Variant result;
    shared_.CriterioRicerca = CriterioUguale(Bound_Col, ToText(value, "Value"));
    tabella.MoveFirst();
    tabella.Find(shared_.CriterioRicerca);
    if (tabella.Eof()) {
      tabella.MoveFirst();
      result = Variant(ToText(tabella.Field(Bound_Col), Bound_Col));
    }
    AllineaRigaCorrente();
    return result;
  }
  if (mode == LeggiDaBoundColumn) {
    if (StileAttivo != kListCombo) return Variant("");
    if (Bound_Col.empty()) return Variant(int16_t{-1});
    if (tabella.Eof()) return Variant("");
    return Variant(ToText(tabella.Field(Bound_Col), Bound_Col));
  }
  return Variant();
}

int32_t ListStore::Record_Count() {
  try {
    if (TabellaAperta()) return Rcset_Cbo->RecordCount();
    return 0;
  } catch (const Error&) {
    return 0;
  }
}

void ListStore::RemoveItem(int32_t Indice_Record) {
  if (StileAttivo == kTextBox || NumMtCol < 1) return;
  if (!HaRighe() || Rcset_Cbo->Eof()) return;
  Recordset& tabella = *Rcset_Cbo;
  const std::string ricordato = ToText(tabella.Field(kIndexField), kIndexField);
  tabella.MoveFirst();
  tabella.Find(CriterioUguale(kIndexField, std::to_string(Indice_Record)));
  if (!tabella.Eof()) {
    tabella.Delete();
    if (StileAttivo == kListCombo && std::to_string(Indice_Record) == ricordato) OkSelezioneAvvenuta = true;
    tabella.MoveFirst();
  } else {
    // No row has that index: nothing is removed and the current row is put back.
    tabella.MoveFirst();
    tabella.Find(CriterioUguale(kIndexField, ricordato));
  }
}

Variant ListStore::ListValue(std::string& Current_Field_Value) {
  if (NumMtCol != 0 && TabellaAperta() && !Rcset_Cbo->Eof() && StileAttivo == kListCombo &&
      !Current_Field_Value.empty())
    return Rcset_Cbo->Field(Current_Field_Value);
  return Variant::Null();
}

}  // namespace cbo
