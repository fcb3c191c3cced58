// Matching in filter form. A cell is folded code point by code point, so that
// a match found in the folded text maps back to the cell's own characters.
#include "list/table/filter_match.hpp"

#include "list/table/filter_fold.hpp"
#include "platform/text.hpp"

namespace cbo {

bool IsWordSeparator(char32_t c) {
  if (c < 0x80) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return !alnum;
  }
  return c == 0x00A0 || c == 0x3000 || (c >= 0x2010 && c <= 0x2015) || (c >= 0x2018 && c <= 0x201F) || c == 0x00AB ||
         c == 0x00BB || c == 0x2026;
}

namespace {

bool IsAsciiText(std::string_view text) {
  for (char ch : text)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}

// An ASCII character in filter form: capitals lowered, as full case folding
// lowers them (no other ASCII character changes).
unsigned char Lowered(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

bool IsAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

FilterText::FilterText(std::string_view text, FilterMatch how)
    : folded_(FilterFold(text)), how_(how), ascii_(IsAsciiText(folded_)) {}

int FilterText::MatchesAscii(std::string_view cell) const {
  // An ASCII character folds to itself lowered, so a match found among the
  // ASCII characters read so far is a match whatever follows; only "no
  // match" needs the whole cell to be ASCII.
  const size_t n = folded_.size();
  const auto first = static_cast<unsigned char>(folded_[0]);
  for (size_t at = 0; at < cell.size(); ++at) {
    const auto c = static_cast<unsigned char>(cell[at]);
    if (c >= 0x80) return -1;
    if (Lowered(c) != first || at + n > cell.size()) continue;
    if (how_ == FilterMatch::WordStart && at > 0 && IsAsciiAlnum(static_cast<unsigned char>(cell[at - 1]))) continue;
    size_t k = 1;
    while (k < n && Lowered(static_cast<unsigned char>(cell[at + k])) == static_cast<unsigned char>(folded_[k])) ++k;
    if (k == n) return 1;
  }
  return 0;
}

size_t FilterText::FindIn(const std::string& folded, size_t from) const {
  for (size_t at = folded.find(folded_, from); at != std::string::npos; at = folded.find(folded_, at + 1)) {
    if (how_ == FilterMatch::Contains || at == 0) return at;
    // A word starts after a separator; the folded text is UTF-8, so find the
    // code point that ends just before `at`.
    size_t lead = at - 1;
    while (lead > 0 && (static_cast<unsigned char>(folded[lead]) & 0xC0) == 0x80) --lead;
    const std::u32string before = text::Decode(folded.substr(lead, at - lead));
    if (!before.empty() && IsWordSeparator(before.back())) return at;
  }
  return std::string::npos;
}

bool FilterText::Matches(std::string_view cell) const {
  if (folded_.empty()) return true;
  if (ascii_) {
    const int answer = MatchesAscii(cell);
    if (answer >= 0) return answer == 1;
  }
  return FindIn(FilterFold(cell), 0) != std::string::npos;
}

std::vector<MatchedRun> FilterText::Runs(std::string_view cell) const {
  std::vector<MatchedRun> runs;
  if (folded_.empty()) return runs;
  // The cell folded one character at a time: character i's form begins at
  // ends[i - 1] (0 for the first) and ends at ends[i].
  const std::u32string chars = text::Decode(std::string(cell));
  std::string folded;
  std::vector<size_t> ends;
  ends.reserve(chars.size());
  for (char32_t c : chars) {
    folded += FilterFold(text::FromCodePoint(c));
    ends.push_back(folded.size());
  }
  for (size_t at = FindIn(folded, 0); at != std::string::npos; at = FindIn(folded, at + folded_.size())) {
    const size_t end = at + folded_.size();
    int32_t first = -1, last = -1;
    for (size_t i = 0; i < chars.size(); ++i) {
      const size_t s = i == 0 ? 0 : ends[i - 1], e = ends[i];
      // A character whose form overlaps the match, or a dropped mark that
      // follows a matched character.
      const bool hit = s == e ? (s > at && s <= end) : (s < end && e > at);
      if (hit) {
        if (first < 0) first = static_cast<int32_t>(i);
        last = static_cast<int32_t>(i);
      }
    }
    if (first >= 0) runs.push_back({first, last - first + 1});
  }
  return runs;
}

}  // namespace cbo
