#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "apps/cbo-script/script_error.hpp"
#include "apps/cbo-script/values.hpp"

namespace cbo::script {
namespace {

Token W(const std::string& s) { return {Token::Word, s}; }
Token S(const std::string& s) { return {Token::String, s}; }

class Values : public ::testing::Test {
protected:
  Variant Parse(const Token& t) { return ParseValue(t, fonts); }
  FontTable fonts;
};

TEST_F(Values, NumbersAreLongsAndDoubles) {
  EXPECT_EQ(Parse(W("12")), Variant(int32_t{12}));
  EXPECT_EQ(Parse(W("-7")), Variant(int32_t{-7}));
  EXPECT_EQ(Parse(W("2147483647")), Variant(int32_t{2147483647}));
  EXPECT_EQ(Parse(W("-2147483648")), Variant(int32_t{-2147483647 - 1}));
  EXPECT_EQ(Parse(W("2.5")), Variant(2.5));
  EXPECT_EQ(Parse(W("-0.75")), Variant(-0.75));
  // A number written as a string stays a string.
  EXPECT_EQ(Parse(S("12")), Variant("12"));
}

TEST_F(Values, WholeNumbersPast32BitsAreDoublesAndBadNumbersAreScriptErrors) {
  EXPECT_EQ(Parse(W("2147483648")), Variant(2147483648.0));
  EXPECT_EQ(Parse(W("-2147483649")), Variant(-2147483649.0));
  EXPECT_EQ(Parse(W("99999999999999999999999")), Variant(1e23));
  EXPECT_THROW(Parse(W("1e400")), ScriptError);
  EXPECT_THROW(Parse(W("1.")), ScriptError);
  EXPECT_THROW(Parse(W(".5")), ScriptError);
  EXPECT_THROW(Parse(W("1,5")), ScriptError);
  EXPECT_THROW(Parse(W("1e")), ScriptError);
  EXPECT_THROW(Parse(W("+5")), ScriptError);
  EXPECT_THROW(ParseInteger(W("2147483648")), ScriptError);
  EXPECT_THROW(ParseInteger(W("1e3")), ScriptError);
  EXPECT_EQ(ParseNumber(W("3e+09")), 3e9);
}

// Every number the script can print reads back as the same value: the
// shortest forms of std::to_chars include exponents, nan and inf.
TEST_F(Values, EveryPrintedNumberReadsBack) {
  for (double d : {1e-05, 3e+09, 1e+20, 1.7976931348623157e+308, 5e-324, -2.5e-10, 4294967296.0, 1000.0, -0.75,
                   std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
    const std::string printed = FormatValue(Variant(d));
    EXPECT_EQ(ToDouble(Parse(W(printed)), "n"), d) << printed;
  }
  for (float f : {1e-05f, 3e+09f, 0.1f, 3.4028235e+38f}) {
    const std::string printed = FormatValue(Variant(f));
    EXPECT_EQ(static_cast<float>(ToDouble(Parse(W(printed)), "n")), f) << printed;
  }
  EXPECT_TRUE(std::isnan(ToDouble(Parse(W(FormatValue(Variant(std::nan(""))))), "n")));
  EXPECT_EQ(Parse(W("1e-05")).type(), VarType::Double);
  EXPECT_EQ(Parse(W("1000")).type(), VarType::Long);
}

TEST_F(Values, HexKeepsTheBitPatternInALong) {
  EXPECT_EQ(Parse(W("&H80000005")), Variant(static_cast<int32_t>(0x80000005u)));
  EXPECT_EQ(Parse(W("&HFF")), Variant(int32_t{255}));
  EXPECT_EQ(Parse(W("&HFFFFFFFF")), Variant(int32_t{-1}));
  EXPECT_THROW(Parse(W("&H100000000")), ScriptError);
  EXPECT_THROW(Parse(W("&H")), ScriptError);
  EXPECT_THROW(Parse(W("&HXYZ")), ScriptError);
}

TEST_F(Values, KeywordsEnumerationsAndFonts) {
  EXPECT_EQ(Parse(W("True")), Variant(true));
  EXPECT_EQ(Parse(W("False")), Variant(false));
  EXPECT_TRUE(Parse(W("Empty")).IsEmpty());
  EXPECT_TRUE(Parse(W("Null")).IsNull());
  EXPECT_TRUE(Parse(W("Missing")).IsMissing());
  EXPECT_EQ(Parse(W("ListCombo")), Variant(int32_t{2}));
  EXPECT_EQ(Parse(W("Solo_Dati")), Variant(int32_t{1}));
  EXPECT_EQ(Parse(W("AsteriscoVerde")), Variant(int32_t{13}));
  auto f = MakeFont("Serif", 10);
  fonts["F"] = f;
  EXPECT_EQ(Parse(W("F")).AsFont(), f);  // the object itself, not a copy
  EXPECT_THROW(Parse(W("Nessuno")), ScriptError);
}

TEST_F(Values, PrintedForms) {
  EXPECT_EQ(FormatValue(Variant("say \"hi\"")), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(FormatValue(Variant(int16_t{-3})), "-3");
  EXPECT_EQ(FormatValue(Variant(uint8_t{255})), "255");
  EXPECT_EQ(FormatValue(Variant(8.25)), "8.25");
  EXPECT_EQ(FormatValue(Variant(1000.0)), "1000");
  EXPECT_EQ(FormatValue(Variant(0.1f)), "0.1");
  EXPECT_EQ(FormatValue(Variant(0.0f)), "0");
  EXPECT_EQ(FormatValue(Variant(true)), "True");
  EXPECT_EQ(FormatValue(Variant()), "Empty");
  EXPECT_EQ(FormatValue(Variant::Null()), "Null");
  EXPECT_EQ(FormatValue(Variant::Missing()), "Missing");
}

TEST_F(Values, ColoursAndTruthValuesByDeclaredType) {
  EXPECT_EQ(FormatTyped(Variant(static_cast<int32_t>(0x80000008u)), "Colour"), "&H80000008");
  EXPECT_EQ(FormatTyped(Variant(int32_t{255}), "Colour"), "&H000000FF");
  EXPECT_EQ(FormatTyped(Variant(2147483656.0), "Colour"), "&H80000008");
  EXPECT_EQ(FormatTyped(Variant(int16_t{-1}), "Boolean"), "True");
  EXPECT_EQ(FormatTyped(Variant(int32_t{0}), "Boolean"), "False");
  EXPECT_EQ(FormatTyped(Variant(int32_t{7}), "Long"), "7");
  EXPECT_EQ(FormatColour(0), "&H00000000");
}

TEST_F(Values, Fonts) {
  auto f = MakeFont("DejaVu Sans", 8.25);
  EXPECT_EQ(FormatFont(f), "Font(\"DejaVu Sans\" 8.25)");
  f->Bold = f->Italic = f->Underline = f->Strikethrough = true;
  f->Size = 12;
  EXPECT_EQ(FormatFont(f), "Font(\"DejaVu Sans\" 12 bold italic underline strikethrough)");
  f->Name = "A \"B\"";
  f->Bold = f->Underline = f->Strikethrough = false;
  EXPECT_EQ(FormatValue(Variant(f)), "Font(\"A \"\"B\"\"\" 12 italic)");
  EXPECT_EQ(FormatFont(nullptr), "Nothing");
}

TEST_F(Values, PrintedLiteralsReadBack) {
  for (const Variant& v : {Variant(int32_t{-42}), Variant(2.5), Variant(true), Variant("a \"q\" b"), Variant::Null()}) {
    std::string printed = FormatValue(v);
    Token t = printed[0] == '"' ? S(v.AsString()) : W(printed);
    EXPECT_EQ(Parse(t), v) << printed;
  }
}

// Strings with control characters print on one line and the lexer reads the
// printed form back byte for byte.
TEST_F(Values, PrintedStringsAreAsTheyAreAndTokenizeBack) {
  // Printed strings keep every character but the doubled quote as it is; a
  // line's worth of them reads back.
  EXPECT_EQ(FormatValue(Variant(std::string("a\nb"))), "\"a\nb\"");
  const std::string texts[] = {
      std::string("x\0y", 3), "\xff\xfeok", "tab\there", "\x01\x7f", "\xF0\x9F\x98\x80 \"q\"", ""};
  for (const std::string& text : texts) {
    const std::string printed = FormatValue(Variant(text));
    std::vector<Token> tokens = Tokenize("echo " + printed + " end");
    ASSERT_EQ(tokens.size(), 3u) << printed;
    EXPECT_EQ(tokens[1].kind, Token::String);
    EXPECT_EQ(tokens[1].text, text) << printed;
  }
}

}  // namespace
}  // namespace cbo::script
