#pragma once
// The present rows sorted by one field: Null first, then ascending by the
// folded text's bytes (code point order); rows that compare equal keep their
// previous order, as a stable sort keeps them.
#include <cstdint>
#include <vector>

#include "list/table/field_store.hpp"
#include "list/table/row_order.hpp"

namespace cbo::table {

std::vector<uint32_t> SortedOrder(const FieldStore& store, const RowOrder& order);

}  // namespace cbo::table
