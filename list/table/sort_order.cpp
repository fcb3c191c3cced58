#include "list/table/sort_order.hpp"

#include <limits>

#include "list/table/folded.hpp"
#include "list/table/sliced_sort.hpp"

namespace cbo::table {

std::vector<uint32_t> SortedOrder(const FieldStore& store, const RowOrder& order) {
  // Each row with its previous position as the tie: ordering by (text,
  // previous position) gives what a stable sort by the text gives.
  const size_t rows = order.Size();
  std::vector<uint32_t> sorted;
  sorted.reserve(rows);
  std::vector<SortEntry> entries;
  entries.reserve(rows);
  for (size_t pos = 0; pos < rows; ++pos) {
    const uint32_t slot = order.SlotAt(pos);
    if (store.IsNull(slot))
      sorted.push_back(slot);  // Null first, in the order they stood
    else
      entries.push_back({FoldedLeadingKey(store.Text(slot)), static_cast<uint32_t>(pos), slot});
  }
  SlicedSort sort;
  sort.Start(std::move(entries));
  int64_t unlimited = std::numeric_limits<int64_t>::max();
  sort.Run(store, unlimited);
  for (const SortEntry& e : sort.Sorted()) sorted.push_back(e.slot);
  return sorted;
}

}  // namespace cbo::table
