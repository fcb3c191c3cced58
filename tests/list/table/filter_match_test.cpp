// Matching a cell against the filter: anywhere or at a word's start, with
// case and accents ignored, and the matched characters of the cell's own
// text, marks and folded letters included.
#include <gtest/gtest.h>

#include <random>

#include "list/table/filter_fold.hpp"
#include "list/table/filter_match.hpp"
#include "platform/text.hpp"

namespace cbo {
namespace {

std::string Shown(const std::string& cell, const FilterText& f) {
  // The cell with its matched runs in brackets, counted in characters.
  std::u32string chars;
  for (size_t i = 0; i < cell.size();) {
    size_t n = 1;
    while (i + n < cell.size() && (static_cast<unsigned char>(cell[i + n]) & 0xC0) == 0x80) ++n;
    chars.push_back(static_cast<char32_t>(i));
    i += n;
  }
  std::string out;
  size_t next = 0;
  auto append = [&](size_t from, size_t to) {  // characters [from, to)
    size_t a = chars[from], b = to < chars.size() ? chars[to] : cell.size();
    out += cell.substr(a, b - a);
  };
  for (const MatchedRun& r : f.Runs(cell)) {
    append(next, r.start);
    out += "[";
    append(r.start, r.start + r.length);
    out += "]";
    next = r.start + r.length;
  }
  if (next < chars.size()) append(next, chars.size());
  return out;
}

TEST(FilterMatch, ContainsFindsTheTextAnywhereAndMarksEveryMatch) {
  FilterText mario("MARIO", FilterMatch::Contains);
  EXPECT_TRUE(mario.Matches("Rossi Mario"));
  EXPECT_FALSE(mario.Matches("Rossi Maria"));
  EXPECT_EQ(Shown("Rossi Mario", mario), "Rossi [Mario]");
  FilterText ss("ss", FilterMatch::Contains);
  EXPECT_EQ(Shown("Rossi Rossini", ss), "Ro[ss]i Ro[ss]ini");
  EXPECT_EQ(Shown("Stra\xC3\x9F"
                  "e",
                  ss),
            "Stra[\xC3\x9F]e");  // ß is ss, and marked whole
  FilterText jurgen("jurgen", FilterMatch::Contains);
  EXPECT_EQ(Shown("M\xC3\xBCller J\xC3\xBCrgen", jurgen), "M\xC3\xBCller [J\xC3\xBCrgen]");
  EXPECT_EQ(Shown("Ju\xCC\x88rgen!", jurgen), "[Ju\xCC\x88rgen]!");  // the mark goes with its letter
  EXPECT_TRUE(FilterText("", FilterMatch::Contains).Matches("anything"));
  EXPECT_TRUE(FilterText("", FilterMatch::Contains).Runs("anything").empty());
  EXPECT_FALSE(FilterText("x", FilterMatch::Contains).Matches(""));
}

TEST(FilterMatch, WordStartNeedsABlankOrPunctuationBefore) {
  FilterText ma("ma", FilterMatch::WordStart);
  EXPECT_TRUE(ma.Matches("Rossi Mario"));
  EXPECT_TRUE(ma.Matches("Mario"));
  EXPECT_FALSE(ma.Matches("Romano Luca"));  // "ma" inside a word only
  EXPECT_EQ(Shown("Romano Mancini", ma), "Romano [Ma]ncini");
  EXPECT_TRUE(ma.Matches("De-Marchi"));
  EXPECT_TRUE(ma.Matches("(Mazzini)"));
  EXPECT_TRUE(ma.Matches("l\xE2\x80\x99Mare"));  // after a typographic apostrophe
  EXPECT_FALSE(ma.Matches("l\xC3\xA0ma"));       // à is a letter, not a separator
  EXPECT_TRUE(FilterText("rossi m", FilterMatch::WordStart).Matches("Rossi Mario"));
}

// Random cells and filters over letters that fold in every way the filter
// knows (case pairs, accents precomposed and combining, ß, dotted and dotless
// i, final sigma) and separators: a match is exactly a find in the folded
// cell, and every marked run, folded, holds the filter text.
TEST(FilterMatch, AgreesWithAPlainFindInTheFoldedCell) {
  const std::vector<std::string> pieces = {"a",        "A",        "o",        "s",        "S",           "\xC3\xA0",
                                           "\xC3\x80", "\xC3\x9F", "ss",       "i",        "I",           "\xC4\xB0",
                                           "\xC4\xB1", "\xCF\x83", "\xCF\x82", "\xCE\xA3", "\xCC\x88",    "u",
                                           "\xC3\xBC", " ",        "-",        ",",        "\xE2\x80\x99"};
  std::mt19937 rng(20261209);
  auto text = [&](int most) {
    std::string t;
    for (int n = std::uniform_int_distribution<int>(0, most)(rng); n > 0; --n)
      t += pieces[std::uniform_int_distribution<size_t>(0, pieces.size() - 1)(rng)];
    return t;
  };
  for (int round = 0; round < 4000; ++round) {
    const std::string cell = text(12), needle = text(3);
    const FilterMatch how = round % 2 ? FilterMatch::Contains : FilterMatch::WordStart;
    const FilterText f(needle, how);
    const std::vector<MatchedRun> runs = f.Runs(cell);
    SCOPED_TRACE(cell + " / " + needle);
    if (needle.empty() || FilterFold(needle).empty()) continue;
    EXPECT_EQ(f.Matches(cell), !runs.empty());
    if (how == FilterMatch::Contains) {
      EXPECT_EQ(f.Matches(cell), FilterFold(cell).find(FilterFold(needle)) != std::string::npos);
    } else if (f.Matches(cell)) {
      EXPECT_NE(FilterFold(cell).find(FilterFold(needle)), std::string::npos);
    }
    const std::u32string chars = text::Decode(cell);
    for (const MatchedRun& r : runs) {
      std::string marked = text::Encode(chars.substr(static_cast<size_t>(r.start), static_cast<size_t>(r.length)));
      EXPECT_NE(FilterFold(marked).find(FilterFold(needle)), std::string::npos) << marked;
    }
  }
}

}  // namespace
}  // namespace cbo
