#include "list/table/sort_order.hpp"

#include <algorithm>
#include <cstring>

#include "list/table/folded.hpp"
#include "list/table/sliced_sort.hpp"

namespace cbo::table {

namespace {

// The sort key of an entry as bytes, most significant first: the sixteen
// bytes of the leading key (levels 0 to 15), then the four of the tie
// (levels 16 to 19).
unsigned Digit(const SortEntry& e, int level) {
  if (level >= 16) return (e.tie >> (8 * (19 - level))) & 0xFF;
  const uint64_t half = level < 8 ? e.key.high : e.key.low;
  return static_cast<unsigned>(half >> (56 - 8 * (level % 8))) & 0xFF;
}

// Sorts by (folded text, tie). Entries are spread into 256 groups by one
// byte of their keys, group by group, a byte that every entry of a group
// shares being passed over; short groups are sorted by comparison. Past the
// leading keys, a group of equal keys that hold their whole texts goes on by
// the bytes of the tie, and one whose texts are longer is sorted by
// comparison. `spare` is as long as `entries`.
void SortByBytes(SortEntry* entries, SortEntry* spare, size_t count, int level, const FieldStore& store) {
  auto before = [&store](const SortEntry& a, const SortEntry& b) { return SortsBefore(store, a, b); };
  for (;; ++level) {
    if (count <= 64 || level == 20 || (level == 16 && !entries[0].key.Whole())) {
      std::sort(entries, entries + count, before);
      return;
    }
    size_t counts[256] = {};
    for (size_t i = 0; i < count; ++i) ++counts[Digit(entries[i], level)];
    if (counts[Digit(entries[0], level)] == count) {
      // One byte shared: perhaps the whole key, as in a column of few values.
      if (level < 16 &&
          std::all_of(entries + 1, entries + count, [&](const SortEntry& e) { return e.key == entries[0].key; }))
        level = 15;
      continue;
    }
    size_t starts[256], next[256];
    size_t at = 0;
    for (int d = 0; d < 256; ++d) {
      starts[d] = next[d] = at;
      at += counts[d];
    }
    for (size_t i = 0; i < count; ++i) spare[next[Digit(entries[i], level)]++] = entries[i];
    std::memcpy(entries, spare, count * sizeof(SortEntry));
    for (int d = 0; d < 256; ++d)
      if (counts[d] > 1) SortByBytes(entries + starts[d], spare + starts[d], counts[d], level + 1, store);
    return;
  }
}

}  // namespace

std::vector<uint32_t> SortedOrder(const FieldStore& store, const RowOrder& order) {
  // Each present row with its rank as the tie: ranks grow along the present
  // order, so ordering by (text, rank) gives what a stable sort by the text
  // gives. The rows are read in the order of storage, which is the order of
  // the memory.
  struct Null {
    uint32_t rank, slot;
  };
  std::vector<Null> nulls;
  std::vector<SortEntry> entries;
  entries.reserve(order.Size());
  store.ForEachText(0, store.Size(), [&](size_t slot, std::string_view text) {
    const uint32_t rank = order.RankOf(static_cast<uint32_t>(slot));
    if (rank == kNoRank) return;  // removed
    if (store.IsNull(slot))
      nulls.push_back({rank, static_cast<uint32_t>(slot)});
    else
      entries.push_back({FoldedLeadingKey(text), rank, static_cast<uint32_t>(slot)});
  });
  std::vector<SortEntry> spare(entries.size());
  SortByBytes(entries.data(), spare.data(), entries.size(), 0, store);
  // Null first, in the order they stood.
  std::sort(nulls.begin(), nulls.end(), [](const Null& a, const Null& b) { return a.rank < b.rank; });
  std::vector<uint32_t> sorted;
  sorted.reserve(nulls.size() + entries.size());
  for (const Null& n : nulls) sorted.push_back(n.slot);
  for (const SortEntry& e : entries) sorted.push_back(e.slot);
  return sorted;
}

}  // namespace cbo::table
