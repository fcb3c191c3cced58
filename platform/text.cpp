#include "platform/text.hpp"

#include <algorithm>

namespace cbo::text {

namespace {
// Invalid bytes are carried as U+DC80..U+DCFF, code points that valid UTF-8
// never produces, so that Encode can give the original byte back.
constexpr char32_t kEscapeBase = 0xDC00;
}  // namespace

int SequenceLength(const std::string& s, size_t i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (len == 0 || i + static_cast<size_t>(len) > s.size()) return 0;
  char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  for (int k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
    if ((cc >> 6) != 2) return 0;
    cp = (cp << 6) | (cc & 0x3F);
  }
  // Reject overlong forms, surrogates and values past the last code point.
  static const char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

std::u32string Decode(const std::string& s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len = SequenceLength(s, i);
    if (len == 0) {
      out.push_back(kEscapeBase + c);
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0x3F);
    out.push_back(cp);
    i += static_cast<size_t>(len);
  }
  return out;
}

std::string FromCodePoint(char32_t c) {
  std::string out;
  if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
    out.push_back(static_cast<char>(c - kEscapeBase));
  } else if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
  return out;
}

std::string Encode(const std::u32string& chars) {
  std::string out;
  out.reserve(chars.size());
  for (char32_t c : chars) out += FromCodePoint(c);
  return out;
}

int32_t Length(const std::string& s) { return static_cast<int32_t>(Decode(s).size()); }

std::string Mid(const std::string& s, int32_t start, int32_t n) {
  std::u32string d = Decode(s);
  int32_t len = static_cast<int32_t>(d.size());
  start = std::clamp(start, 0, len);
  n = std::clamp(n, 0, len - start);
  return Encode(d.substr(static_cast<size_t>(start), static_cast<size_t>(n)));
}

std::string Left(const std::string& s, int32_t n) { return Mid(s, 0, n); }

std::string From(const std::string& s, int32_t start) { return Mid(s, start, INT32_MAX); }

}  // namespace cbo::text
