#pragma once
// Ordering slots by their folded text fast: each slot's first eight folded
// bytes as one big-endian number decide most comparisons, and only equal
// leading bytes fall back to comparing the whole texts. The result is the
// order of the folded texts' bytes (UTF-8 bytes sort in code point order).
#include <cstdint>
#include <string_view>

namespace cbo::table {

// The first eight bytes, the missing ones as zero bytes. Two texts whose
// leading keys differ compare as their keys do.
inline uint64_t LeadingKey(std::string_view text) {
  uint64_t key = 0;
  for (size_t i = 0; i < 8; ++i)
    key = (key << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
  return key;
}

}  // namespace cbo::table
