// The literal forms: what reads back exactly, how strings with control
// characters are written, and what is refused.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/error.hpp"
#include "platform/literal.hpp"
#include "tests/support/same_value.hpp"

namespace cbo {
namespace {

using testing::SameValue;

Variant Read(const std::string& text) {
  Variant v;
  std::string error;
  bool overflow = false;
  EXPECT_TRUE(ParseLiteral(text, v, error, overflow)) << text << ": " << error;
  return v;
}

// Refused, and whether as a number out of range.
bool Refused(const std::string& text, bool* overflowOut = nullptr) {
  Variant v;
  std::string error;
  bool overflow = false;
  bool ok = ParseLiteral(text, v, error, overflow);
  if (overflowOut) *overflowOut = overflow;
  return !ok && !error.empty();
}

FontRef FontOf(const std::string& name, double size) {
  auto f = MakeFont(name, size);
  f->Italic = true;
  return f;
}

std::vector<Variant> ExtremeValues() {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const float finf = std::numeric_limits<float>::infinity();
  std::vector<Variant> values = {Variant(),
                                 Variant::Null(),
                                 Variant(true),
                                 Variant(false),
                                 Variant(uint8_t{0}),
                                 Variant(uint8_t{255}),
                                 Variant(int16_t{-32768}),
                                 Variant(int16_t{32767}),
                                 Variant(int32_t{-2147483647 - 1}),
                                 Variant(int32_t{2147483647}),
                                 Variant(int32_t{0}),
                                 Variant(1e-05),
                                 Variant(3e+09),
                                 Variant(1e+20),
                                 Variant(1.7976931348623157e+308),
                                 Variant(5e-324),
                                 Variant(4294967296.0),
                                 Variant(1000.0),
                                 Variant(0.0),
                                 Variant(-0.0),
                                 Variant(2147483647.0),
                                 Variant(-2147483648.0),
                                 Variant(2147483648.0),
                                 Variant(inf),
                                 Variant(-inf),
                                 Variant(nan),
                                 Variant(-nan),
                                 Variant(0.1f),
                                 Variant(1e-05f),
                                 Variant(-0.0f),
                                 Variant(16777217.0f),
                                 Variant(finf),
                                 Variant(std::numeric_limits<float>::denorm_min()),
                                 Variant(std::nanf("")),
                                 Variant(DateValue{45292}),
                                 Variant(DateValue{45292.5}),
                                 Variant(DateValue{-693593}),
                                 Variant(DateValue{2958465}),
                                 Variant(DateValue{2958465.75}),
                                 Variant(DateValue{-693594}),
                                 Variant(DateValue{1e300}),
                                 Variant(DateValue{-0.0}),
                                 Variant(DateValue{nan}),
                                 Variant(FontOf("DejaVu Sans", 100000)),
                                 Variant(FontOf("DejaVu Sans", 0.0001)),
                                 Variant(FontOf("x", 0)),
                                 Variant(FontOf("x", -1)),
                                 Variant(FontOf("x", nan)),
                                 Variant(FontOf("a\nb \"c\" & Chr(10)", 8.25)),
                                 Variant(FontRef()),
                                 Variant(""),
                                 Variant("plain"),
                                 Variant("a\nb"),
                                 Variant("a\rb"),
                                 Variant("a\r\nb"),
                                 Variant("\n"),
                                 Variant(std::string("nul\0inside", 10)),
                                 Variant("\xff\xfe"),
                                 Variant("cut \xC3"),
                                 Variant("\xED\xA0\x80"),
                                 Variant("\xF0\x9F\x98\x80 beyond the BMP"),
                                 Variant("quote \" and \"\""),
                                 Variant("\t\x7f\x1b"),
                                 Variant("C:\\path & Chr(10) \"x\""),
                                 Variant("ends with blank "),
                                 Variant(" \" & \"")};
  return values;
}

TEST(ExactLiteral, EveryValueReadsBackAsTheSameTypeAndValue) {
  for (const Variant& v : ExtremeValues()) {
    const std::string text = FormatExactLiteral(v, "X");
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_TRUE(SameValue(Read(text), v)) << text;
  }
}

TEST(ExactLiteral, EveryByteAndPairOfBytesReadsBack) {
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      const std::string s{static_cast<char>(a), static_cast<char>(b)};
      const std::string text = QuoteText(s);
      Variant v;
      std::string error;
      bool overflow = false;
      ASSERT_TRUE(ParseLiteral(text, v, error, overflow)) << text;
      ASSERT_EQ(v, Variant(s)) << text;
    }
}

TEST(ExactLiteral, TypedFormsOnlyWhereThePlainFormWouldChangeTheType) {
  EXPECT_EQ(FormatExactLiteral(Variant(int32_t{12}), "X"), "12");
  EXPECT_EQ(FormatExactLiteral(Variant(uint8_t{2}), "X"), "Byte(2)");
  EXPECT_EQ(FormatExactLiteral(Variant(int16_t{-7}), "X"), "Integer(-7)");
  EXPECT_EQ(FormatExactLiteral(Variant(8.25f), "X"), "Single(8.25)");
  EXPECT_EQ(FormatExactLiteral(Variant(2.5), "X"), "2.5");
  EXPECT_EQ(FormatExactLiteral(Variant(1e-05), "X"), "1e-05");
  EXPECT_EQ(FormatExactLiteral(Variant(4294967296.0), "X"), "4294967296");
  EXPECT_EQ(FormatExactLiteral(Variant(1000.0), "X"), "Double(1000)");
  EXPECT_EQ(FormatExactLiteral(Variant(-0.0), "X"), "Double(-0)");
  EXPECT_EQ(FormatExactLiteral(Variant(DateValue{45292}), "X"), "#2024-01-01#");
  EXPECT_EQ(FormatExactLiteral(Variant(DateValue{45292.5}), "X"), "Date(45292.5)");
  // The printed forms stay as they were.
  EXPECT_EQ(FormatLiteral(Variant(uint8_t{2})), "2");
  EXPECT_EQ(FormatLiteral(Variant(1000.0)), "1000");
}

TEST(ExactLiteral, MissingHasNoWrittenForm) {
  try {
    FormatExactLiteral(Variant::Missing(), "ListIndex");
    FAIL() << "Missing written";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch);
    EXPECT_NE(std::string(e.what()).find("ListIndex"), std::string::npos) << e.what();
  }
}

TEST(StringLiteral, ControlCharactersAndStrayBytesAreChrPieces) {
  EXPECT_EQ(QuoteText("a\r\nb"), "\"a\" & Chr(13) & Chr(10) & \"b\"");
  EXPECT_EQ(QuoteText("\n"), "\"\" & Chr(10)");
  EXPECT_EQ(QuoteText("x\xff"), "\"x\" & Chr(255)");
  EXPECT_EQ(QuoteText("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(QuoteText("Citt\xC3\xA0 \xF0\x9F\x98\x80"), "\"Citt\xC3\xA0 \xF0\x9F\x98\x80\"");
  EXPECT_EQ(QuoteText(""), "\"\"");
}

// A string written before Chr pieces existed reads as it always did: inside
// the quotes nothing but a doubled quote is special.
TEST(StringLiteral, TextInsideQuotesIsTakenAsItStands) {
  EXPECT_EQ(Read("\"C:\\new & Chr(10)\""), Variant("C:\\new & Chr(10)"));
  EXPECT_EQ(Read("\"tab\there\""), Variant("tab\there"));
  EXPECT_EQ(Read("\"cr\rinside\""), Variant("cr\rinside"));
  EXPECT_EQ(Read("  \"a\"\"b\"  "), Variant("a\"b"));
  EXPECT_EQ(Read("\"a\"&Chr(10)&\"b\""), Variant("a\nb"));
}

TEST(StringLiteral, MalformedPiecesAreRefused) {
  EXPECT_TRUE(Refused("\"a\" & Chr(256)"));
  EXPECT_TRUE(Refused("\"a\" & Chr()"));
  EXPECT_TRUE(Refused("\"a\" & Chr(1"));
  EXPECT_TRUE(Refused("\"a\" & \"b"));
  EXPECT_TRUE(Refused("\"a\" &"));
  EXPECT_TRUE(Refused("\"a\" & 10"));
  EXPECT_TRUE(Refused("Chr(10)"));  // a string starts with its quotes
}

TEST(NumberLiteral, EveryFormToCharsWritesAndWhatIsRefused) {
  EXPECT_EQ(Read("1e-05"), Variant(1e-05));
  EXPECT_EQ(Read("3e+09"), Variant(3e9));
  EXPECT_EQ(Read("1E5"), Variant(1e5));
  EXPECT_EQ(Read("2147483648"), Variant(2147483648.0));
  EXPECT_EQ(Read("-2147483648"), Variant(int32_t{-2147483647 - 1}));
  EXPECT_EQ(Read("-inf"), Variant(-std::numeric_limits<double>::infinity()));
  Variant n = Read("-nan");
  ASSERT_EQ(n.type(), VarType::Double);
  EXPECT_TRUE(std::isnan(n.AsDouble()) && std::signbit(n.AsDouble()));
  bool overflow = false;
  EXPECT_TRUE(Refused("1e400", &overflow));
  EXPECT_TRUE(overflow);
  EXPECT_TRUE(Refused("Byte(256)", &overflow));
  EXPECT_TRUE(overflow);
  EXPECT_TRUE(Refused("Integer(40000)", &overflow));
  EXPECT_TRUE(overflow);
  EXPECT_TRUE(Refused("Byte(1.5)", &overflow));
  EXPECT_FALSE(overflow);
  for (const char* bad : {"1.", ".5", "+5", "1e", "1e+", "--1", "nan1", "infinity", "1,5", "Double()", "Single(x)"})
    EXPECT_TRUE(Refused(bad)) << bad;
}

TEST(DateLiteral, DaysOfTheYearsOneToNineThousandNineHundredNinetyNine) {
  EXPECT_EQ(Read("#2024-01-01#"), Variant(DateValue{45292}));
  EXPECT_EQ(Read("#1899-12-30#"), Variant(DateValue{0}));
  EXPECT_EQ(Read("#0001-01-01#"), Variant(DateValue{-693593}));
  EXPECT_EQ(Read("#2024-02-29#"), Variant(DateValue{45351}));
  for (const char* bad : {"#2023-02-29#", "#2024-13-01#", "#0000-01-01#", "#2024-1-01#", "#2024-01-01", "#x#"})
    EXPECT_TRUE(Refused(bad)) << bad;
  EXPECT_EQ(FormatLiteral(Variant(DateValue{1e300})), "Date(1e+300)");
}

TEST(DateLiteral, TextOfADateOutsideTheCalendarIsAnOverflowNamingTheValue) {
  for (double serial : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(), 2958466.0}) {
    try {
      ToText(Variant(DateValue{serial}), "Campo");
      FAIL() << serial;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Overflow);
      EXPECT_NE(std::string(e.what()).find("Campo"), std::string::npos) << e.what();
    }
  }
}

TEST(FontLiteral, NothingAndAnySizeReadBack) {
  Variant none = Read("Nothing");
  ASSERT_EQ(none.type(), VarType::Font);
  EXPECT_FALSE(none.AsFont());
  EXPECT_EQ(Read("Font(\"A\" 1e-04)").AsFont()->Size, 1e-04);
  EXPECT_EQ(Read("Font(\"A\" & Chr(10) 100000 bold)").AsFont()->Name, "A\n");
  EXPECT_TRUE(Refused("Font(\"A\" big)"));
  EXPECT_TRUE(Refused("Font(\"A\" 8 heavy)"));
}

}  // namespace
}  // namespace cbo
