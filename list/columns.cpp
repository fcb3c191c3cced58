// Column definitions and the creation of the table that follows them.
#include <cmath>

#include "list/list_store.hpp"
#include "list/table/memory_recordset.hpp"
#include "platform/error.hpp"

namespace cbo {

ListStore::ListStore(ListState& shared, ITextBox& txt, std::function<void()> rowMoved,
                     std::function<void(const std::string&)> propertyChanged)
    : shared_(shared), txt_(txt), propertyChanged_(std::move(propertyChanged)) {
  AdoRec_.SetMoveComplete(std::move(rowMoved));
}

Recordset& ListStore::Tabella() {
  if (!Rcset_Cbo_) Rcset_Cbo_ = std::make_shared<MemoryRecordset>();
  return *Rcset_Cbo_;
}

bool ListStore::HaRighe() const { return TabellaAperta() && Rcset_Cbo_->RecordCount() > 0; }

ListStore::SavedState ListStore::Save() const {
  return {Matrice_Campi_, NumMtCol_,  Rcset_Cbo_, MaxIndex_,      Larghezza_Colonne_,
          Text_Col_,      Bound_Col_, txt_.Tag(), RigaPreparata_, shared_.CaricamentoInCorso()};
}

void ListStore::Restore(SavedState&& prima) {
  Matrice_Campi_ = std::move(prima.Matrice_Campi);
  NumMtCol_ = prima.NumMtCol;
  Rcset_Cbo_ = std::move(prima.Rcset_Cbo);
  MaxIndex_ = prima.MaxIndex;
  Larghezza_Colonne_ = prima.Larghezza_Colonne;
  Text_Col_ = std::move(prima.Text_Col);
  Bound_Col_ = std::move(prima.Bound_Col);
  RigaPreparata_ = std::move(prima.RigaPreparata);
  shared_.SetCaricamentoInCorso(prima.CaricamentoInCorso);
  txt_.SetTag(prima.Tag);
}

void ListStore::AddField(const std::string& Nome_Field, const std::string& NomeColonna, bool Visualizza_Colonna,
                         double Larghezza_Colonna, int32_t Separatore_Colonna, const std::string& Formattazione,
                         int32_t Allineamento_Colonna, bool Ridimensiona_Colonna, bool Wrap_Text,
                         bool Colonna_Ordinabile) {
  NonDuranteRiempimento("AddField");
  SavedState prima = Save();
  shared_.SetCaricamentoInCorso(true);
  try {
    NumMtCol_ = NarrowToByte(NumMtCol_ + 1, "AddField: number of columns");
    Matrice_Campi_.resize(NumMtCol_);
    SvuotaRigaPreparata();
    ColumnDef& nuova = Matrice_Campi_.back();
    nuova.Nome_Field = Nome_Field;
    nuova.NomeColonna = NomeColonna.empty() ? Nome_Field : NomeColonna;
    nuova.Visualizza_Colonna = Visualizza_Colonna;
    nuova.Larghezza_Colonna = Larghezza_Colonna;
    nuova.Separatore_Colonna = Separatore_Colonna;
    nuova.Formattazione = Formattazione;
    nuova.Allineamento_Colonna = Allineamento_Colonna;
    nuova.Ridimensiona_Colonna = Ridimensiona_Colonna;
    nuova.Wrap_Text = Wrap_Text;
    nuova.Colonna_Ordinabile = Colonna_Ordinabile;
    Rcset_Cbo_.reset();
    txt_.SetTag("");
    CreaTabella();
    if (Bound_Col_.empty() || Bound_Col_ == "1") Bound_Col_ = Matrice_Campi_[0].Nome_Field;
    if (Text_Col_.empty() || Text_Col_ == "1") Text_Col_ = Matrice_Campi_[0].Nome_Field;
  } catch (...) {
    // A refused column changes nothing: the earlier columns, the table with its
    // rows, the staged row and the list-building flag are as they were.
    Restore(std::move(prima));
    throw;
  }
  shared_.SetCaricamentoInCorso(false);
}

void ListStore::CreaTabella() {
  Larghezza_Colonne_ = 0;
  MaxIndex_ = 0;
  OrdinaColonne();
  std::string campi;
  for (const ColumnDef& colonna : Matrice_Campi_) {
    campi += "New adVarChar(100) As " + colonna.Nome_Field + ", ";
    // The running sum is kept as a whole number, rounded after each addition.
    double somma = std::nearbyint(Larghezza_Colonne_ + colonna.Larghezza_Colonna);
    if (!(somma >= INT32_MIN && somma <= INT32_MAX))
      throw Error(ErrorKind::Overflow,
                  "Larghezza_Colonne: the sum of the column widths (" + FormatNumber(somma) + ") does not fit a Long");
    Larghezza_Colonne_ = static_cast<int32_t>(somma);
  }
  campi += std::string("New adVarChar(100) As ") + kIndexField + " ";
  auto tabella = std::make_shared<MemoryRecordset>();
  Rcset_Cbo_ = tabella;
  tabella->Open("SHAPE APPEND " + campi);
}

void ListStore::OrdinaColonne() {
  if (NumMtCol_ == 1) return;
  std::vector<ColumnDef> ordinate;
  ordinate.reserve(Matrice_Campi_.size());
  for (const ColumnDef& c : Matrice_Campi_)
    if (c.Visualizza_Colonna) ordinate.push_back(c);
  for (const ColumnDef& c : Matrice_Campi_)
    if (!c.Visualizza_Colonna) {
      ordinate.push_back(c);
      ordinate.back().Larghezza_Colonna = 0;
    }
  Matrice_Campi_ = std::move(ordinate);
}

void ListStore::Combo_Clear(int32_t Cosa_Cancellare) {
  NonDuranteRiempimento("Combo_Clear");
  txt_.SetTag("");
  Rcset_Cbo_.reset();
  if (Cosa_Cancellare == Tutto) {
    NumMtCol_ = 0;
    Matrice_Campi_.clear();
  } else {
    CreaTabella();
  }
}

void ListStore::SvuotaRigaPreparata() {
  if (RigaPreparata_.size() != NumMtCol_) {
    RigaPreparata_.assign(NumMtCol_, SlotRiga{});
    return;
  }
  // Emptied in place: the slots keep their storage from row to row.
  for (SlotRiga& slot : RigaPreparata_) {
    slot.Nome.clear();
    slot.Valore = Variant();
  }
}

}  // namespace cbo
