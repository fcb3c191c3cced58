#include <gtest/gtest.h>

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

TEST_F(Values, IntegersOutside32BitsAndBadNumbersAreScriptErrors) {
  EXPECT_THROW(Parse(W("2147483648")), ScriptError);
  EXPECT_THROW(Parse(W("-2147483649")), ScriptError);
  EXPECT_THROW(Parse(W("99999999999999999999999")), ScriptError);
  EXPECT_THROW(Parse(W("1.")), ScriptError);
  EXPECT_THROW(Parse(W(".5")), ScriptError);
  EXPECT_THROW(Parse(W("1,5")), ScriptError);
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

}  // namespace
}  // namespace cbo::script
