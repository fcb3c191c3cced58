// The filter form of a text, one code point at a time from the generated
// table (scripts/gen_filter_fold.py): ASCII letters fold without a lookup,
// the two-byte code points through a table made once from it, the others by
// a binary search of it.
#include "list/table/filter_fold.hpp"

#include <algorithm>
#include <array>

#include "list/table/filter_fold_data.hpp"

namespace cbo {

namespace {

// The filter form of one code point; nullptr when it is its own form.
const char* Searched(char32_t c) {
  const table::FilterFoldEntry* first = table::kFilterFolding;
  const table::FilterFoldEntry* last = first + table::kFilterFoldingCount;
  const table::FilterFoldEntry* hit =
      std::lower_bound(first, last, c, [](const table::FilterFoldEntry& e, char32_t v) { return e.from < v; });
  return (hit != last && hit->from == c) ? hit->to : nullptr;
}

const char* FormOf(char32_t c) {
  // U+0080 to U+07FF (Latin, Greek, Cyrillic, ...), the letters most texts
  // fold, looked up directly.
  static const std::array<const char*, 0x800> twoBytes = [] {
    std::array<const char*, 0x800> t{};
    for (char32_t cp = 0x80; cp < 0x800; ++cp) t[cp] = Searched(cp);
    return t;
  }();
  return c < 0x800 ? twoBytes[c] : Searched(c);
}

bool Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The UTF-8 sequence at text[i]: its length and code point; 0 when the bytes
// there are not UTF-8 (an overlong form, a surrogate, a lone or cut byte).
int Sequence(std::string_view text, size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  const size_t left = text.size() - i;
  if (b0 >= 0xC2 && b0 <= 0xDF && left >= 2 && Continuation(static_cast<unsigned char>(text[i + 1]))) {
    cp = (char32_t(b0 & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
    return 2;
  }
  if (b0 >= 0xE0 && b0 <= 0xEF && left >= 3 && Continuation(static_cast<unsigned char>(text[i + 1])) &&
      Continuation(static_cast<unsigned char>(text[i + 2]))) {
    cp = (char32_t(b0 & 0x0F) << 12) | (char32_t(static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6) |
         (static_cast<unsigned char>(text[i + 2]) & 0x3F);
    if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return 3;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4 && left >= 4 && Continuation(static_cast<unsigned char>(text[i + 1])) &&
      Continuation(static_cast<unsigned char>(text[i + 2])) && Continuation(static_cast<unsigned char>(text[i + 3]))) {
    cp = (char32_t(b0 & 0x07) << 18) | (char32_t(static_cast<unsigned char>(text[i + 1]) & 0x3F) << 12) |
         (char32_t(static_cast<unsigned char>(text[i + 2]) & 0x3F) << 6) |
         (static_cast<unsigned char>(text[i + 3]) & 0x3F);
    if (cp < 0x10000 || cp > 0x10FFFF) return 0;
    return 4;
  }
  return 0;
}

}  // namespace

void AppendFilterForm(std::string_view text, std::string& out) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out.push_back(lead >= 'A' && lead <= 'Z' ? static_cast<char>(lead + ('a' - 'A')) : static_cast<char>(lead));
      ++i;
      continue;
    }
    char32_t cp = 0;
    const int len = Sequence(text, i, cp);
    if (len == 0) {  // not UTF-8: kept as it is
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    const char* form = FormOf(cp);
    if (form) {
      out += form;
    } else {
      out.append(text.substr(i, static_cast<size_t>(len)));
    }
    i += static_cast<size_t>(len);
  }
}

std::string FilterFold(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendFilterForm(text, out);
  return out;
}

}  // namespace cbo
