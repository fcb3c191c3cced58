// Row staging (ListItem) and insertion (AddItem).
#include "list/list_store.hpp"
#include "platform/error.hpp"

namespace cbo {

namespace {

[[noreturn]] void SenzaSlot(size_t pos, size_t slots, const char* member) {
  throw Error(ErrorKind::SubscriptOutOfRange, std::string(member) + ": column " + std::to_string(pos) +
                                                  " has no slot in the staged row (" + std::to_string(slots) +
                                                  " in all)");
}

inline SlotRiga& Slot(std::vector<SlotRiga>& riga, size_t pos, const char* member) {
  if (pos >= riga.size()) [[unlikely]]
    SenzaSlot(pos, riga.size(), member);
  return riga[pos];
}

bool Ascii(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Field names compared as the table compares them, letter case ignored; plain
// ASCII names (the usual case, once per value staged) need no folded copies.
bool StessoNome(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return !(Ascii(a) && Ascii(b)) && FoldCase(a) == FoldCase(b);
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80 || y >= 0x80) return FoldCase(a) == FoldCase(b);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

Variant ListStore::ListItem(const std::string& Field, Variant Value) {
  // No two columns have the same name, letter case ignored (the table
  // refuses them), so the column spelled exactly as the host wrote it, the
  // usual case, is the one a comparison ignoring case would find first.
  size_t pos = 0;
  while (pos < NumMtCol_ && Matrice_Campi_[pos].Nome_Field != Field) ++pos;
  if (pos == NumMtCol_) {
    pos = 0;
    while (pos < NumMtCol_ && !StessoNome(Matrice_Campi_[pos].Nome_Field, Field)) ++pos;
  }
  if (pos < NumMtCol_) {
    SlotRiga& slot = Slot(RigaPreparata_, pos, "ListItem");
    slot.Nome = Field;
    slot.Valore = std::move(Value);
  }
  return Variant();
}

void ListStore::AddItem() {
  NonDuranteRiempimento("AddItem");
  NonInSolaLettura("AddItem");
  const bool caricamentoPrima = shared_.CaricamentoInCorso();
  shared_.SetCaricamentoInCorso(true);
  const int32_t indicePrecedente = MaxIndex_;
  Recordset& tabella = Tabella();
  try {
    if (tabella.State() != 1)
      throw Error(ErrorKind::Table, "AddItem: the list has no open table (no columns are defined)");
    // An open table without columns (Combo_Clear with Solo_Dati after Tutto)
    // is refused as well: a row needs at least one column.
    if (NumMtCol_ == 0) throw Error(ErrorKind::Table, "AddItem: no columns are defined");
    // Column i is field i of the table, and the slot's name is the column's
    // as the host spelled it: each value goes to the field of its number. The
    // row is stored whole or not at all; the first row moved to next makes
    // the notification that storing it as the current row would make.
    valoriRiga_.resize(NumMtCol_ + 1u);
    for (size_t pos = 0; pos < NumMtCol_; ++pos) {
      const SlotRiga& slot = Slot(RigaPreparata_, pos, "AddItem");
      if (slot.Nome.empty())
        throw Error(ErrorKind::Table, "AddItem: column \"" + Matrice_Campi_[pos].Nome_Field + "\" (position " +
                                          std::to_string(pos) + ") was not staged with ListItem");
      valoriRiga_[pos] = &slot.Valore;
    }
    MaxIndex_ = NarrowToLong(static_cast<int64_t>(MaxIndex_) + 1, "AddItem: row index");
    const Variant indice(MaxIndex_);
    valoriRiga_[NumMtCol_] = &indice;
    tabella.AppendRow(valoriRiga_);
  } catch (...) {
    // The row is not added: the table is as it was, the staged values stay,
    // and the list-building flag is as it was found.
    MaxIndex_ = indicePrecedente;
    shared_.SetCaricamentoInCorso(caricamentoPrima);
    throw;
  }
  DopoAggiunta(caricamentoPrima);
}

void ListStore::DopoAggiunta(bool caricamentoPrima) {
  SvuotaRigaPreparata();
  AdoRec_.SetRecordset(Rcset_Cbo_);
  Recordset& tabella = *Rcset_Cbo_;
  try {
    tabella.MoveFirst();
    // In ListCombo the table goes back to the row the text box shows.
    const std::string mostrata = txt_.Tag();
    if (StileAttivo_ == ListCombo && !mostrata.empty()) {
      tabella.Find(CriterioUguale(kIndexField, mostrata));
      if (tabella.Eof()) tabella.MoveFirst();
    }
  } catch (...) {
    shared_.SetCaricamentoInCorso(caricamentoPrima);
    throw;
  }
  shared_.SetCaricamentoInCorso(false);
  if (txt_.Tag().empty()) AllineaRigaCorrente();
}

}  // namespace cbo
