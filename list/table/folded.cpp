#include "list/table/folded.hpp"

#include <algorithm>
#include <array>

#include "list/table/casefold.hpp"

namespace cbo::table {

namespace {

// The folding of every code point below U+0800 (the one- and two-byte
// characters: Latin, Greek, Cyrillic, ...), looked up rather than searched.
const std::array<char32_t, 0x800>& SmallFoldings() {
  static const std::array<char32_t, 0x800> table = [] {
    std::array<char32_t, 0x800> t{};
    for (char32_t c = 0; c < 0x800; ++c) t[c] = FoldCodePoint(c);
    return t;
  }();
  return table;
}

char32_t Fold(char32_t c) { return c < 0x800 ? SmallFoldings()[c] : FoldCodePoint(c); }

// UTF-8 of a code point into `out`; the number of bytes.
unsigned Encode(char32_t c, unsigned char* out) {
  if (c < 0x80) {
    out[0] = static_cast<unsigned char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<unsigned char>(0xC0 | (c >> 6));
    out[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<unsigned char>(0xE0 | (c >> 12));
    out[1] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<unsigned char>(0xF0 | (c >> 18));
  out[1] = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
  return 4;
}

}  // namespace

// The folded bytes of the character at `pos` (or of the lone byte there that
// begins none) into `out`; returns their number and sets `used` to the bytes
// read. Decodes as text::Decode does: a well-formed sequence (no overlong
// form, no surrogate, nothing past U+10FFFF) is one character, any other byte
// stands alone and is kept as it is.
namespace {

unsigned FoldUnit(std::string_view text, size_t pos, unsigned char* out, size_t& used) {
  const unsigned char c = static_cast<unsigned char>(text[pos]);
  if (c < 0x80) {
    out[0] = (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
    used = 1;
    return 1;
  }
  // Two bytes (accented Latin, Greek, Cyrillic, ...): the commonest after ASCII.
  if (c >= 0xC2 && c <= 0xDF && pos + 1 < text.size()) {
    const unsigned char d = static_cast<unsigned char>(text[pos + 1]);
    if ((d & 0xC0) == 0x80) {
      used = 2;
      return Encode(SmallFoldings()[((c & 0x1F) << 6) | (d & 0x3F)], out);
    }
  }
  const unsigned len = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  char32_t cp = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  bool ok = len > 0 && pos + len <= text.size();
  for (unsigned k = 1; ok && k < len; ++k) {
    const unsigned char cc = static_cast<unsigned char>(text[pos + k]);
    if ((cc >> 6) != 2)
      ok = false;
    else
      cp = (cp << 6) | (cc & 0x3F);
  }
  if (ok) {
    static const char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) ok = false;
  }
  if (!ok) {
    out[0] = c;
    used = 1;
    return 1;
  }
  used = len;
  return Encode(Fold(cp), out);
}

}  // namespace

void FoldedReader::FoldNext() {
  size_t used = 0;
  held_ = FoldUnit(text_, pos_, buffer_, used);
  pos_ += used;
}

int CompareFolded(std::string_view text, std::string_view key, bool prefix) {
  size_t i = 0, j = 0;
  unsigned char unit[4];
  while (j < key.size()) {
    if (i >= text.size()) return -1;  // the text is a shorter beginning of the key
    size_t used = 0;
    const unsigned n = FoldUnit(text, i, unit, used);
    for (unsigned k = 0; k < n; ++k, ++j) {
      if (j == key.size()) return prefix ? 0 : 1;  // the key ends inside this character
      const unsigned char kb = static_cast<unsigned char>(key[j]);
      if (unit[k] != kb) return unit[k] < kb ? -1 : 1;
    }
    i += used;
  }
  if (prefix) return 0;
  return i < text.size() ? 1 : 0;
}

int CompareFoldedTexts(std::string_view a, std::string_view b) {
  FoldedReader ra(a), rb(b);
  unsigned char x = 0, y = 0;
  for (;;) {
    const bool hasX = ra.Next(x), hasY = rb.Next(y);
    if (!hasX || !hasY) return hasX ? 1 : hasY ? -1 : 0;
    if (x != y) return x < y ? -1 : 1;
  }
}

LeadingKey FoldedLeadingKey(std::string_view text) {
  unsigned char bytes[16] = {};
  unsigned length = 0;
  // The ASCII beginning is lowered here; from the first other byte on the
  // reader folds.
  const size_t ascii = std::min<size_t>(text.size(), 16);
  while (length < ascii) {
    const unsigned char c = static_cast<unsigned char>(text[length]);
    if (c >= 0x80) break;
    bytes[length++] = (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
  }
  FoldedReader reader(text.substr(length));
  while (length < 16 && reader.Next(bytes[length])) ++length;
  LeadingKey key;
  for (int i = 0; i < 8; ++i) key.high = (key.high << 8) | bytes[i];
  for (int i = 8; i < 15; ++i) key.low = (key.low << 8) | bytes[i];
  key.low = (key.low << 8) | length;  // 16 stands for any length past 15
  return key;
}

uint16_t FoldedFirstTwo(std::string_view text) {
  if (text.empty()) return 0;
  unsigned char unit[4];
  size_t used = 0;
  if (FoldUnit(text, 0, unit, used) >= 2) return static_cast<uint16_t>(unit[0] | (unit[1] << 8));
  const unsigned char first = unit[0];
  if (used >= text.size()) return first;
  FoldUnit(text, used, unit, used);
  return static_cast<uint16_t>(first | (unit[0] << 8));
}

}  // namespace cbo::table
