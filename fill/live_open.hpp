#pragma once
// What opening a live table shares on every database: the fields read in the
// order of the list's columns, and the refusal of a large table that lacks
// the indexes its finds and sorts need.
#include <cstdint>
#include <string>
#include <vector>

namespace cbo {

class CboVarno;

// A table of this many rows or more without its indexes is refused: each
// key typed would read it whole.
constexpr int32_t kRowsNeedingIndexes = 100'000;

// The fields in the order of the control's columns when it has columns
// (letter case ignored), or as given when it has none. A Database error
// listing both when the fields are not exactly the columns.
std::vector<std::string> FieldsInColumnOrder(CboVarno& control, const std::vector<std::string>& fields);

// A Database error, beginning with `where`, that gives the CREATE INDEX
// statements `missing` when the table has kRowsNeedingIndexes rows or more.
void RequireIndexes(const std::string& where, const std::string& table, int32_t rows,
                    const std::vector<std::string>& missing);

}  // namespace cbo
