#pragma once
// Whether a cell's text matches the drop-down's filter, and which of its
// characters matched (for highlighting). Both texts are compared in their
// filter form (FilterFold): letter case and accents do not count.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data_source.hpp"

namespace cbo {

enum class FilterMatch {
  Contains,   // the filter text anywhere in the cell
  WordStart,  // at the start of one of the cell's words
};

// A run of matched characters of the cell, in code points of its own text.
using MatchedRun = TextRun;

// The filter text prepared once for many cells.
class FilterText {
public:
  FilterText(std::string_view text, FilterMatch how);
  bool Empty() const { return folded_.empty(); }
  // The filter text in filter form, and how it matches.
  const std::string& Folded() const { return folded_; }
  FilterMatch How() const { return how_; }
  // The cell matches (an empty filter matches every cell).
  bool Matches(std::string_view cell) const;
  // Every non-overlapping match in the cell, left to right, as runs of the
  // cell's characters; none when it does not match.
  std::vector<MatchedRun> Runs(std::string_view cell) const;

private:
  // Where the filter text may be found in a folded cell from `from` on; npos
  // when nowhere.
  size_t FindIn(const std::string& folded, size_t from) const;
  // The same answer without folding the cell, for a filter text and a cell
  // read as ASCII (most of them): 1 or 0; -1 when the cell turns out not to
  // be ASCII, and so must be folded.
  int MatchesAscii(std::string_view cell) const;

  std::string folded_;
  FilterMatch how_;
  bool ascii_;  // the folded filter text is ASCII
};

// Words are split at blanks and punctuation: ASCII blanks and punctuation,
// the no-break and ideographic spaces, dashes, quotation marks, guillemets
// and the ellipsis.
bool IsWordSeparator(char32_t c);

}  // namespace cbo
