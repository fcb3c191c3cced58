#pragma once
// The fields the drop-down's filter searches (FilterColumns): field names
// separated by commas, blanks around each name ignored; "" means every shown
// column. The filter searches the shown columns among them: what it marks as
// matched must be in sight.
#include <cstdint>
#include <string>
#include <vector>

#include "list/column_def.hpp"
#include "list/table/recordset.hpp"

namespace cbo {

// The names as written; a Table error for an empty name ("a,,b", a comma at
// either end).
std::vector<std::string> FilterColumnNames(const std::string& filterColumns);

// The field numbers the filter searches in the table, in column order: the
// shown columns named by `filterColumns` (every shown column for ""). A
// Table error names a field the table does not have, unless `skipUnknown`
// (a list whose columns were defined anew while its drop-down is open
// searches the named fields it still has).
std::vector<int32_t> FilterFields(const Recordset& table, const std::vector<ColumnDef>& columns,
                                  const std::string& filterColumns, bool skipUnknown = false);

}  // namespace cbo
