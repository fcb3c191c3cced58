#pragma once
// Colours are 32-bit values: 0x00BBGGRR for an RGB colour, or a system colour
// index with the high bit set, which each platform resolves itself.
#include <cstdint>

namespace cbo {

using Colour = uint32_t;

constexpr Colour kSystemColourBit = 0x80000000u;
constexpr Colour kWindowText = 0x80000008u;        // system window-text colour
constexpr Colour kWindowBackground = 0x80000005u;  // system window background
constexpr Colour kButtonFace = 0x8000000Au;        // system colour index 10

constexpr bool IsSystemColour(Colour c) { return (c & kSystemColourBit) != 0; }
constexpr Colour Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

}  // namespace cbo
