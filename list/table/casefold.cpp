// Unicode simple case folding: every code point maps to at most one other, so
// a folded text has as many characters as the original. No normalisation.
#include "list/table/casefold.hpp"

#include <algorithm>

#include "list/table/recordset.hpp"
#include "list/table/casefold_data.hpp"
#include "platform/text.hpp"

namespace cbo {

namespace table {

char32_t FoldCodePoint(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
  const CaseFoldPair* first = kCaseFolding;
  const CaseFoldPair* last = kCaseFolding + kCaseFoldingCount;
  const CaseFoldPair* hit =
      std::lower_bound(first, last, c, [](const CaseFoldPair& p, char32_t v) { return p.from < v; });
  return (hit != last && hit->from == c) ? hit->to : c;
}

}  // namespace table

std::string FoldCase(const std::string& text) {
  // Most names and values are plain ASCII: fold those bytes in place.
  bool ascii = std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
  if (ascii) {
    std::string out = text;
    for (char& ch : out)
      if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + ('a' - 'A'));
    return out;
  }
  std::u32string chars = text::Decode(text);
  for (char32_t& c : chars) c = table::FoldCodePoint(c);
  return text::Encode(chars);
}

}  // namespace cbo
