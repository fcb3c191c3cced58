#include "list/table/field_scan.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

#include "list/table/folded.hpp"

namespace cbo::table {

namespace {

// The first slot at or after `slot`, before `end`, whose pair agrees with
// `target` on the bits of `mask`; `end` when none. Four pairs are looked at
// a time: a pair that agrees is a zero lane of (word XOR target) AND mask,
// and the lowest zero lane is found without false alarms.
size_t NextAgreeing(const uint16_t* pairs, size_t slot, size_t end, uint16_t target, uint16_t mask) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t kOnes = 0x0001000100010001ull, kHighs = 0x8000800080008000ull;
    const uint64_t pattern = kOnes * target, lanes = kOnes * mask;
    for (; slot + 4 <= end; slot += 4) {
      uint64_t word = 0;
      std::memcpy(&word, pairs + slot, 8);
      const uint64_t x = (word ^ pattern) & lanes;
      const uint64_t zeros = (x - kOnes) & ~x & kHighs;
      if (zeros) return slot + static_cast<size_t>(std::countr_zero(zeros) >> 4);
    }
  }
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
