#include "list/table/sort_order.hpp"

#include <algorithm>

#include "list/table/key_order.hpp"

namespace cbo::table {

std::vector<uint32_t> SortedOrder(const FieldStore& store, const std::vector<uint32_t>& order) {
  // Each row with its leading key and its previous position: ordering by
  // (text, previous position) with any sort gives what a stable sort by the
  // text gives, and the keys keep most comparisons off the texts.
  struct Entry {
    uint64_t key;
    uint32_t position;
    uint32_t slot;
  };
  std::vector<uint32_t> sorted;
  sorted.reserve(order.size());
  std::vector<Entry> entries;
  entries.reserve(order.size());
  for (size_t pos = 0; pos < order.size(); ++pos) {
    const uint32_t slot = order[pos];
    if (store.IsNull(slot))
      sorted.push_back(slot);  // Null first, in the order they stood
    else
      entries.push_back({LeadingKey(store.Folded(slot)), static_cast<uint32_t>(pos), slot});
  }
  std::sort(entries.begin(), entries.end(), [&store](const Entry& a, const Entry& b) {
    if (a.key != b.key) return a.key < b.key;
    const int c = store.Folded(a.slot).compare(store.Folded(b.slot));
    if (c != 0) return c < 0;
    return a.position < b.position;
  });
  for (const Entry& e : entries) sorted.push_back(e.slot);
  return sorted;
}

}  // namespace cbo::table
