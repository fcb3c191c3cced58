#pragma once
// The drop-down filter's reading of the rows: which rows of a stretch of the
// present order match the filter in one of the given fields. A row matches
// when one of its fields' texts does (a Null never matches); with an empty
// filter text every row matches.
#include <cstdint>
#include <span>
#include <vector>

#include "list/table/field_store.hpp"
#include "list/table/filter_match.hpp"
#include "list/table/row_order.hpp"

namespace cbo::table {

// Sets bit p % 64 of bits[p / 64] for every matching position p of
// [from, to) (bits has room for them) and returns how many it set; with
// `within`, only positions whose bit is set there are read (the matches of a
// shorter filter text, say). Rows in the order of appending are read field
// by field, searching each field's filter forms as one run of bytes; rows in
// another order are read one by one.
int64_t MarkFilterMatches(std::span<const FieldStore> stores, const RowOrder& order, const FilterText& filter,
                          std::span<const int32_t> fields, size_t from, size_t to, std::vector<uint64_t>& bits,
                          const std::vector<uint64_t>* within = nullptr);

}  // namespace cbo::table
