// The filter's folding: the words a user types meet the names they remember,
// the form is stable (folding it again changes nothing, for every code point),
// and bytes that are not UTF-8 pass through.
#include <gtest/gtest.h>

#include "list/table/filter_fold.hpp"
#include "platform/text.hpp"

namespace cbo {
namespace {

TEST(FilterFold, AccentsAndCaseFallAwayAsAUserExpects) {
  EXPECT_EQ(FilterFold("M\xC3\xBCller J\xC3\xBCrgen"), "muller jurgen");
  EXPECT_EQ(FilterFold("S\xC3\xA3o Paulo"), "sao paulo");
  EXPECT_EQ(FilterFold("Citt\xC3\xA0"), "citta");
  EXPECT_EQ(FilterFold("Stra\xC3\x9F"
                       "e"),
            "strasse");  // full folding: ß is ss
  EXPECT_EQ(FilterFold("STRA\xE1\xBA\x9E"
                       "E"),
            "strasse");                                                  // capital ẞ too
  EXPECT_EQ(FilterFold("Ju\xCC\x88rgen"), FilterFold("J\xC3\xBCrgen"));  // decomposed input
  EXPECT_EQ(FilterFold("\xC4\xB0stanbul"), "istanbul");                  // İ: I and a dot above
  EXPECT_EQ(FilterFold("\xC4\xB1"), "\xC4\xB1");                         // dotless ı stays itself
  // Greek: capital, small and final sigma meet; the tonos goes.
  EXPECT_EQ(FilterFold("\xCE\xA3\xCE\x8A\xCE\xA3\xCE\xA5\xCE\xA6\xCE\x9F\xCE\xA3"),
            FilterFold("\xCF\x83\xCE\xB9\xCF\x83\xCF\x85\xCF\x86\xCE\xBF\xCF\x82"));
}

TEST(FilterFold, AsciiOnlyLowersAndOtherBytesPassThrough) {
  EXPECT_EQ(FilterFold("Rossi Mario, C0012 - 'x' %_*?\\"), "rossi mario, c0012 - 'x' %_*?\\");
  EXPECT_EQ(FilterFold(""), "");
  EXPECT_EQ(FilterFold("A\xFF"
                       "B\xC3"),
            "a\xFF"
            "b\xC3");  // a stray byte, a cut-off sequence
}

TEST(FilterFold, EveryCodePointsFormIsItsOwnForm) {
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string once = FilterFold(text::FromCodePoint(c));
    ASSERT_EQ(FilterFold(once), once) << std::hex << static_cast<uint32_t>(c);
  }
}

}  // namespace
}  // namespace cbo
