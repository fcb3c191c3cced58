#pragma once
// Where a navigation key moves the grid's current row, the same on every
// platform: the arrows by one row, Page Up/Down by the rows that fit, Home and
// End to the ends. From EOF (no current row), down starts before the first row
// and up after the last.
#include <algorithm>
#include <cstdint>
#include <optional>

namespace cbo {

// The position to move to among `count` rows (count > 0) from `current` (-1
// at EOF) with `page` rows on screen; none for a key that does not navigate.
inline std::optional<int64_t> GridKeyTarget(int16_t keyCode, int64_t current, int64_t count, int64_t page) {
  enum : int16_t { kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36, kUp = 38, kDown = 40 };
  const int64_t last = count - 1;
  int64_t target;
  switch (keyCode) {
    case kDown: target = current < 0 ? 0 : current + 1; break;
    case kUp: target = current < 0 ? last : current - 1; break;
    case kPageDown: target = (current < 0 ? -1 : current) + page; break;
    case kPageUp: target = (current < 0 ? count : current) - page; break;
    case kHome: target = 0; break;
    case kEnd: target = last; break;
    default: return std::nullopt;
  }
  return std::clamp<int64_t>(target, 0, last);
}

// Whether the key is one GridKeyTarget moves by.
inline bool IsGridNavigationKey(int16_t keyCode) { return GridKeyTarget(keyCode, 0, 1, 1).has_value(); }

}  // namespace cbo
