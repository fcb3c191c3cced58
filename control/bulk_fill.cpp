// The bulk fill: many rows appended at once, as ListItem and AddItem would.
#include <string>
#include <vector>

#include "control/cbo_varno.hpp"
#include "platform/error.hpp"

namespace cbo {

bool CboVarno::AddRows(RowSource& rows, const FillProgress& progress) {
  const std::vector<std::string> colonne = rows.Columns();
  if (list_.NumMtCol == 0)
    for (const std::string& nome : colonne) AddField(nome);
  // Each field's source column.
  std::vector<size_t> sorgente;
  for (const ColumnDef& campo : list_.Matrice_Campi) {
    size_t trovata = colonne.size();
    for (size_t c = 0; c < colonne.size() && trovata == colonne.size(); ++c)
      if (FoldCase(colonne[c]) == FoldCase(campo.Nome_Field)) trovata = c;
    if (trovata == colonne.size())
      throw Error(ErrorKind::Table, "AddRows: the source has no column for the field \"" + campo.Nome_Field + "\"");
    sorgente.push_back(trovata);
  }
  std::vector<Cell> celle(colonne.size());
  int64_t lette = 0;
  while (rows.Next(celle)) {
    for (size_t f = 0; f < sorgente.size(); ++f) {
      const Cell& c = celle[sorgente[f]];
      ListItem(list_.Matrice_Campi[f].Nome_Field, c.null ? Variant::Null() : Variant(std::string(c.text)));
    }
    AddItem();
    ++lette;
    if (progress && lette % 4096 == 0 && !progress(lette)) return false;
  }
  return true;
}

}  // namespace cbo
