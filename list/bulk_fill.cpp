// The bulk fill: many rows appended at once with the results ListItem and
// AddItem would give them, all or nothing.
#include <charconv>
#include <chrono>

#include "list/list_store.hpp"
#include "platform/error.hpp"
#include "platform/scoped_flag.hpp"

namespace cbo {

namespace {

// Progress is told at most this often.
constexpr std::chrono::milliseconds kIntervalloProgresso{50};
// Rows read between two looks at the clock.
constexpr int64_t kRigheTraControlli = 4096;

// The source column of each field, by name with letter case ignored; a field
// the source does not give refuses the fill.
std::vector<size_t> ColonneDeiCampi(const std::vector<ColumnDef>& campi, const std::vector<std::string>& colonne) {
  std::vector<std::string> nomi;
  for (const std::string& c : colonne) nomi.push_back(FoldCase(c));
  std::vector<size_t> daColonna;
  for (const ColumnDef& campo : campi) {
    const std::string cercato = FoldCase(campo.Nome_Field);
    size_t c = 0;
    while (c < nomi.size() && nomi[c] != cercato) ++c;
    if (c == nomi.size())
      throw Error(ErrorKind::Table, "AddRows: the source has no column for the field \"" + campo.Nome_Field + "\"");
    daColonna.push_back(c);
  }
  return daColonna;
}

}  // namespace

void ListStore::NonDuranteRiempimento(const char* member) const {
  if (riempimento_)
    throw Error(ErrorKind::Table, std::string(member) + ": the list cannot change while AddRows is filling it");
}

bool ListStore::AddRows(RowSource& sorgente, const FillProgress& progress) {
  NonDuranteRiempimento("AddRows");
  NonInSolaLettura("AddRows");
  const std::vector<std::string> colonne = sorgente.Columns();
  SavedState prima = Save();
  bool annullata = false;
  int64_t aggiunte = 0;
  try {
    // A list without columns gets one per source column, as AddField with
    // only the field name would make it.
    if (NumMtCol_ == 0) {
      if (colonne.empty()) throw Error(ErrorKind::Table, "AddRows: the source has no columns");
      for (const std::string& nome : colonne) AddField(nome, "", true, 1000, 2, "", 0, false, false, true);
    }
    const std::vector<size_t> daColonna = ColonneDeiCampi(Matrice_Campi_, colonne);
    if (!TabellaAperta()) throw Error(ErrorKind::Table, "AddRows: the list has no open table (no columns are defined)");
    ScopedFlag riempimento(riempimento_);
    shared_.SetCaricamentoInCorso(true);

    std::vector<Cell> celle(colonne.size());
    int64_t indice = MaxIndex_;
    char testoIndice[16];
    // The first look at the clock tells the progress at once.
    using Orologio = std::chrono::steady_clock;
    Orologio::time_point ultimoProgresso = Orologio::now() - kIntervalloProgresso;
    auto prossima = [&](std::vector<std::optional<std::string_view>>& valori) {
      if (progress && aggiunte > 0 && aggiunte % kRigheTraControlli == 0 &&
          Orologio::now() - ultimoProgresso >= kIntervalloProgresso) {
        if (!progress(aggiunte)) {
          annullata = true;
          return Recordset::RowStep::GiveUp;
        }
        ultimoProgresso = Orologio::now();
      }
      if (!sorgente.Next(celle)) return Recordset::RowStep::End;
      for (size_t f = 0; f < daColonna.size(); ++f) {
        const Cell& cella = celle[daColonna[f]];
        if (!cella.null) valori[f] = cella.text;
      }
      indice = NarrowToLong(indice + 1, "AddRows: row index");
      const auto fine = std::to_chars(testoIndice, testoIndice + sizeof testoIndice, indice).ptr;
      valori[daColonna.size()] = std::string_view(testoIndice, static_cast<size_t>(fine - testoIndice));
      ++aggiunte;
      return Recordset::RowStep::Row;
    };
    Rcset_Cbo_->AppendRows(prossima);
    if (annullata) {
      Restore(std::move(prima));
      return false;
    }
    if (aggiunte == 0) {
      shared_.SetCaricamentoInCorso(prima.CaricamentoInCorso);
      return true;
    }
    MaxIndex_ = static_cast<int32_t>(indice);
  } catch (...) {
    // A refused value or a failing source leaves the list as it was.
    Restore(std::move(prima));
    throw;
  }
  DopoAggiunta(prima.CaricamentoInCorso);
  return true;
}

}  // namespace cbo
