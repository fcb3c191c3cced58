#include "list/table/filter_scan.hpp"

#include <bit>

namespace cbo::table {

namespace {

bool IsSet(const std::vector<uint64_t>& bits, size_t p) { return (bits[p >> 6] >> (p & 63)) & 1; }
void Set(std::vector<uint64_t>& bits, size_t p) { bits[p >> 6] |= uint64_t{1} << (p & 63); }

int64_t CountSet(const std::vector<uint64_t>& bits, size_t from, size_t to) {
  int64_t n = 0;
  for (size_t p = from; p < to;) {
    const size_t word = p >> 6;
    const size_t end = std::min(to, (word + 1) << 6);
    uint64_t w = bits[word] >> (p & 63);
    if (end - p < 64) w &= (uint64_t{1} << (end - p)) - 1;
    n += std::popcount(w);
    p = end;
  }
  return n;
}

}  // namespace

int64_t MarkFilterMatches(std::span<const FieldStore> stores, const RowOrder& order, const FilterText& filter,
                          std::span<const int32_t> fields, size_t from, size_t to, std::vector<uint64_t>& bits) {
  if (from >= to) return 0;
  const int64_t before = CountSet(bits, from, to);
  if (filter.Empty()) {
    // No filter text: every row.
    for (size_t p = from; p < to; ++p) Set(bits, p);
  } else if (order.Identity()) {
    // Position p is slot p: each field's texts lie end to end.
    for (int32_t field : fields) {
      const FieldStore& store = stores[static_cast<size_t>(field)];
      store.ForEachText(from, to, [&](size_t slot, std::string_view text) {
        if (!IsSet(bits, slot) && !store.IsNull(slot) && filter.Matches(text)) Set(bits, slot);
      });
    }
  } else {
    for (size_t p = from; p < to; ++p) {
      const uint32_t slot = order.SlotAt(p);
      for (int32_t field : fields) {
        const FieldStore& store = stores[static_cast<size_t>(field)];
        if (!store.IsNull(slot) && filter.Matches(store.Text(slot))) {
          Set(bits, p);
          break;
        }
      }
    }
  }
  return CountSet(bits, from, to) - before;
}

}  // namespace cbo::table
