// The shared steps of opening a live table: column order and the index rule.
#include "fill/live_open.hpp"

#include <algorithm>

#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "platform/error.hpp"

namespace cbo {

std::vector<std::string> FieldsInColumnOrder(CboVarno& control, const std::vector<std::string>& fields) {
  const std::vector<ColumnDef>& columns = control.Lista().Matrice_Campi();
  if (columns.empty()) return fields;
  std::vector<std::string> ordered;
  for (const ColumnDef& column : columns) {
    auto given = std::find_if(fields.begin(), fields.end(),
                              [&](const std::string& f) { return FoldCase(f) == FoldCase(column.Nome_Field); });
    if (given == fields.end() || fields.size() != columns.size()) {
      std::string names, givenNames;
      for (const ColumnDef& c : columns) names += (names.empty() ? "" : ", ") + c.Nome_Field;
      for (const std::string& f : fields) givenNames += (givenNames.empty() ? "" : ", ") + f;
      throw Error(ErrorKind::Database,
                  "the fields (" + givenNames + ") are not the list's columns (" + names + "), letter case ignored");
    }
    ordered.push_back(*given);
  }
  return ordered;
}

void RequireIndexes(const std::string& where, const std::string& table, int32_t rows,
                    const std::vector<std::string>& missing) {
  if (missing.empty() || rows < kRowsNeedingIndexes) return;
  std::string statements;
  for (const std::string& s : missing) statements += " " + s;
  throw Error(ErrorKind::Database, where + ": table \"" + table + "\" has " + std::to_string(rows) +
                                       " rows and lacks the indexes its finds and sorts need (see "
                                       "docs/database.md):" +
                                       statements);
}

}  // namespace cbo
