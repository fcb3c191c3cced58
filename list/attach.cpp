// A list whose rows stay elsewhere: a table attached whole (a live table of a
// database), read-only for as long as it is the list's.
#include "list/list_store.hpp"
#include "platform/error.hpp"

namespace cbo {

void ListStore::NonInSolaLettura(const char* member) const {
  if (Rcset_Cbo_ && Rcset_Cbo_->ReadOnly())
    throw Error(ErrorKind::Database, std::string(member) + ": the list is read from the database");
}

void ListStore::AttachTable(RecordsetRef table) {
  NonDuranteRiempimento("AttachTable");
  if (!table || table->State() != 1) throw Error(ErrorKind::Database, "AttachTable: the table is not open");
  SavedState prima = Save();
  try {
    // The table's fields but the last (the row index) are the list's columns:
    // made as AddField with only the field name would make them when the list
    // has none, and otherwise the list's own, in their order.
    const int32_t fields = table->FieldCount() - 1;
    if (NumMtCol_ == 0) {
      for (int32_t f = 0; f < fields; ++f) AddField(table->FieldName(f), "", true, 1000, 2, "", 0, false, false, true);
    } else {
      std::string columns, given;
      bool same = fields == NumMtCol_;
      for (int32_t f = 0; f < std::max<int32_t>(fields, NumMtCol_); ++f) {
        if (f < NumMtCol_) columns += (f ? ", " : "") + Matrice_Campi_[static_cast<size_t>(f)].Nome_Field;
        if (f < fields) given += (f ? ", " : "") + table->FieldName(f);
        same = same && FoldCase(table->FieldName(f)) == FoldCase(Matrice_Campi_[static_cast<size_t>(f)].Nome_Field);
      }
      if (!same)
        throw Error(ErrorKind::Database,
                    "AttachTable: the fields (" + given + ") are not the list's columns (" + columns + ") in order");
    }
    if (FoldCase(table->FieldName(fields)) != FoldCase(kIndexField))
      throw Error(ErrorKind::Database, "AttachTable: the table's last field is \"" + table->FieldName(fields) +
                                           "\", not the row index \"" + kIndexField + "\"");
    // As Combo_Clear empties the list, then the rows arrive as a fill.
    txt_.SetTag("");
    Rcset_Cbo_ = std::move(table);
    MaxIndex_ = 0;
    SvuotaRigaPreparata();
    shared_.SetCaricamentoInCorso(true);
    if (Rcset_Cbo_->RecordCount() == 0) {
      AdoRec_.SetRecordset(Rcset_Cbo_);
      shared_.SetCaricamentoInCorso(prima.CaricamentoInCorso);
      return;
    }
    DopoAggiunta(prima.CaricamentoInCorso);
  } catch (...) {
    // A table that cannot be read leaves the list as it was.
    Restore(std::move(prima));
    AdoRec_.SetRecordset(Rcset_Cbo_);
    throw;
  }
}

}  // namespace cbo
