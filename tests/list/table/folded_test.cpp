// Texts compared by their folded form without folding them first must agree
// with FoldCase in every case: letters whose folding changes their length in
// bytes, invalid bytes, NUL bytes, texts that are beginnings of others.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "list/table/recordset.hpp"
#include "list/table/folded.hpp"

namespace cbo::testing {
namespace {

using table::CompareFolded;
using table::CompareFoldedTexts;
using table::FoldedLeadingKey;
using table::MatchesFolded;

int Sign(int v) { return (v > 0) - (v < 0); }

// Random texts from pieces chosen to make folding hard: ASCII capitals,
// accented letters, letters that fold to fewer or more bytes (K sign to k,
// capital sharp s to ß, Ⱥ to ⱥ), a Greek capital, invalid and truncated
// sequences, an overlong form and a NUL.
class FoldedTexts : public ::testing::Test {
protected:
  std::string Text() {
    static const char* const pieces[] = {"a",
                                         "A",
                                         "b",
                                         "Z",
                                         "è",
                                         "È",
                                         "\xE2\x84\xAA" /* K sign */,
                                         "k",
                                         "\xE1\xBA\x9E" /* capital sharp s */,
                                         "ß",
                                         "\xC8\xBA" /* Ⱥ */,
                                         "\xE2\xB1\xA5" /* ⱥ */,
                                         "Σ",
                                         "σ",
                                         "\xFF",
                                         "\xC3",
                                         "\xC0\xAF",
                                         "" /* a NUL */,
                                         " ",
                                         "\xF0\x9F\x98\x80"};
    std::string text;
    const size_t n = rng() % 7;
    for (size_t i = 0; i < n; ++i) {
      const size_t p = rng() % std::size(pieces);
      if (p == 17)
        text.push_back('\0');  // the NUL
      else
        text += pieces[p];
    }
    return text;
  }
  std::mt19937 rng{2024};
};

TEST_F(FoldedTexts, ComparisonsAgreeWithFoldCase) {
  for (int i = 0; i < 20000; ++i) {
    const std::string a = Text(), b = Text();
    const std::string fa = FoldCase(a), fb = FoldCase(b);
    ASSERT_EQ(Sign(CompareFoldedTexts(a, b)), Sign(fa.compare(fb))) << a << " | " << b;
    ASSERT_EQ(MatchesFolded(a, fb, false), fa == fb) << a << " | " << b;
    ASSERT_EQ(MatchesFolded(a, fb, true), fa.starts_with(fb)) << a << " | " << b;
    // As a sort and a binary search need it: prefix matches sort as one run.
    const int c = CompareFolded(a, fb, true);
    if (!fa.starts_with(fb)) {
      ASSERT_EQ(Sign(c), Sign(fa.compare(fb))) << a << " | " << b;
    }
  }
}

TEST_F(FoldedTexts, LeadingKeysOrderAsTheTextsDo) {
  for (int i = 0; i < 20000; ++i) {
    std::string a = Text(), b = Text();
    if (i % 3 == 0) b = a + Text();  // one begins the other
    const std::string fa = FoldCase(a), fb = FoldCase(b);
    const table::LeadingKey ka = FoldedLeadingKey(a), kb = FoldedLeadingKey(b);
    if (ka < kb) {
      ASSERT_LT(fa, fb) << a << " | " << b;
    }
    if (kb < ka) {
      ASSERT_LT(fb, fa) << a << " | " << b;
    }
    if (ka == kb && ka.Whole()) {
      ASSERT_EQ(fa, fb) << a << " | " << b;
    }
    if (fa == fb) {
      ASSERT_TRUE(ka == kb);
    }
  }
}

TEST(LeadingKey, LongTextsThatAgreeOnFifteenBytesAreNotWhole) {
  const table::LeadingKey a = FoldedLeadingKey("abcdefghijklmnoX"), b = FoldedLeadingKey("ABCDEFGHIJKLMNOy");
  EXPECT_TRUE(a == b);
  EXPECT_FALSE(a.Whole());
  EXPECT_TRUE(FoldedLeadingKey("abcdefghijklmno").Whole());
  EXPECT_TRUE(FoldedLeadingKey("abc") < FoldedLeadingKey(std::string("abc\0", 4)));
}

}  // namespace
}  // namespace cbo::testing
