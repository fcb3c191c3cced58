#pragma once
// Finding a match by reading the rows, for a field whose index is not made
// yet and for the rows appended after it was made. The slots are read in
// their order of storage, which is the order of the memory, not the present
// order; two bytes per slot, the first two of its folded text, let a search
// pass over every row that cannot match eight bytes at a time, so that a
// search that matches nothing reads little more than two bytes a row.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "list/table/field_store.hpp"
#include "list/table/row_order.hpp"

namespace cbo::table {

// The first two folded bytes of each slot of a field, made as the searches
// need them.
class LeadingBytes {
public:
  // Brought up to the store's size (down, after rows were dropped).
  void CatchUp(const FieldStore& store);
  const uint16_t* Data() const { return pairs_.data(); }

private:
  std::vector<uint16_t> pairs_;
};

// The least rank, at least `from`, of a present, non-Null slot of
// [firstSlot, store.Size()) whose folded text equals the key (or begins with
// it); kNoRank when none. `fromSlot` is the slot whose rank is `from`: while
// ranks follow the slots the first match from it on is the answer.
uint32_t ScanLeastRank(const FieldStore& store, LeadingBytes& leading, const RowOrder& order, std::string_view key,
                       bool prefix, uint32_t from, uint32_t fromSlot, size_t firstSlot);

}  // namespace cbo::table
