#include "list/filter_columns.hpp"

#include <algorithm>

#include "list/table/table_error.hpp"
#include "platform/literal.hpp"

namespace cbo {

namespace {

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<std::string> FilterColumnNames(const std::string& filterColumns) {
  std::vector<std::string> names;
  if (Trimmed(filterColumns).empty()) return names;
  size_t start = 0;
  while (true) {
    const size_t comma = filterColumns.find(',', start);
    const std::string name =
        Trimmed(filterColumns.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (name.empty())
      table::Fail("FilterColumns: " + QuoteExcerpt(filterColumns) +
                  " has an empty field name; separate names with one comma");
    names.push_back(name);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

std::vector<int32_t> FilterFields(const Recordset& table, const std::vector<ColumnDef>& columns,
                                  const std::string& filterColumns, bool skipUnknown) {
  const std::vector<std::string> names = FilterColumnNames(filterColumns);
  std::vector<int32_t> named;
  for (const std::string& name : names) {
    const int32_t field = table.FieldNumber(name);
    if (field < 0 && skipUnknown) continue;
    if (field < 0) table::Fail("FilterColumns: the list has no field " + QuoteExcerpt(name));
    named.push_back(field);
  }
  std::vector<int32_t> fields;
  for (const ColumnDef& column : columns) {
    if (!column.Visualizza_Colonna) continue;
    const int32_t field = table.FieldNumber(column.Nome_Field);
    if (field < 0) continue;  // a column whose field the table lacks shows nothing to search
    const bool searched = names.empty() || std::find(named.begin(), named.end(), field) != named.end();
    if (searched && std::find(fields.begin(), fields.end(), field) == fields.end()) fields.push_back(field);
  }
  return fields;
}

}  // namespace cbo
