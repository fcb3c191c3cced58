#include "list/table/field_scan.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

#include "list/table/folded.hpp"

namespace cbo::table {

namespace {

// The first slot at or after `slot`, before `end`, whose pair agrees with
// `target` on the bits of `mask`; `end` when none. Sixteen pairs are looked
// at a time, compared lane by lane as the compiler's vector types allow.
size_t NextAgreeing(const uint16_t* pairs, size_t slot, size_t end, uint16_t target, uint16_t mask) {
#if defined(__GNUC__)
  if constexpr (std::endian::native == std::endian::little) {
    using Lanes = uint16_t __attribute__((vector_size(16)));
    const Lanes t = Lanes{} + target, m = Lanes{} + mask;
    for (; slot + 16 <= end; slot += 16) {
      Lanes a, b;
      std::memcpy(&a, pairs + slot, sizeof a);
      std::memcpy(&b, pairs + slot + 8, sizeof b);
      const auto hitA = ((a ^ t) & m) == 0, hitB = ((b ^ t) & m) == 0;
      uint64_t words[4];
      std::memcpy(words, &hitA, 16);
      std::memcpy(words + 2, &hitB, 16);
      if ((words[0] | words[1] | words[2] | words[3]) == 0) continue;
      for (int w = 0; w < 4; ++w)
        if (words[w]) return slot + 4 * static_cast<size_t>(w) + static_cast<size_t>(std::countr_zero(words[w]) >> 4);
    }
  }
#endif
  for (; slot < end; ++slot)
    if (((pairs[slot] ^ target) & mask) == 0) return slot;
  return end;
}

uint16_t FirstTwo(std::string_view text) {
  // Two ASCII bytes (the usual beginning) are lowered here.
  if (text.size() >= 2) {
    unsigned char a = static_cast<unsigned char>(text[0]), b = static_cast<unsigned char>(text[1]);
    if (a < 0x80 && b < 0x80) {
      if (a >= 'A' && a <= 'Z') a = static_cast<unsigned char>(a + ('a' - 'A'));
      if (b >= 'A' && b <= 'Z') b = static_cast<unsigned char>(b + ('a' - 'A'));
      return static_cast<uint16_t>(a | (b << 8));
    }
  }
  return FoldedFirstTwo(text);
}

}  // namespace

void LeadingBytes::CatchUp(const FieldStore& store) {
  const size_t from = pairs_.size(), size = store.Size();
  if (from > size) pairs_.resize(size);  // rows dropped since
  if (from >= size) return;
  pairs_.resize(size);
  store.ForEachText(from, size, [this](size_t slot, std::string_view text) { pairs_[slot] = FirstTwo(text); });
}

uint32_t ScanLeastRank(const FieldStore& store, LeadingBytes& leading, const RowOrder& order, std::string_view key,
                       bool prefix, uint32_t from, uint32_t fromSlot, size_t firstSlot) {
  const size_t end = store.Size();
  const bool follow = order.RanksFollowSlots();
  size_t slot = follow ? std::max<size_t>(firstSlot, fromSlot) : firstSlot;
  if (slot >= end) return kNoRank;
  leading.CatchUp(store);
  const uint16_t* pairs = leading.Data();
  // What a matching slot's first two bytes must be: the key's first two; a
  // text equal to a shorter key has zeros after it; a prefix shorter than two
  // bytes says nothing of the bytes after it.
  const unsigned char k0 = key.size() > 0 ? static_cast<unsigned char>(key[0]) : 0;
  const unsigned char k1 = key.size() > 1 ? static_cast<unsigned char>(key[1]) : 0;
  const uint16_t target = static_cast<uint16_t>(k0 | (k1 << 8));
  const uint16_t mask = !prefix || key.size() >= 2 ? 0xFFFF : key.size() == 1 ? 0x00FF : 0x0000;
  uint32_t best = kNoRank;
  for (; slot < end; ++slot) {
    slot = NextAgreeing(pairs, slot, end, target, mask);
    if (slot == end) break;
    const uint32_t r = order.RankOf(static_cast<uint32_t>(slot));
    if (r == kNoRank || r < from || r >= best) continue;
    if (!MatchesFolded(store.Text(slot), key, prefix) || store.IsNull(slot)) continue;
    best = r;
    if (follow) break;  // later slots have greater ranks
  }
  return best;
}

}  // namespace cbo::table
