#include <gtest/gtest.h>

#include "apps/cbo-script/lexer.hpp"
#include "apps/cbo-script/script_error.hpp"

namespace cbo::script {
namespace {

std::vector<std::string> Texts(const std::vector<Token>& tokens) {
  std::vector<std::string> out;
  for (const auto& t : tokens) out.push_back((t.kind == Token::String ? "S:" : "W:") + t.text);
  return out;
}

TEST(Lexer, SplitsWordsAndStringsOnBlanks) {
  EXPECT_EQ(Texts(Tokenize("  let c.Text =\t\"Roma\"  ")),
            (std::vector<std::string>{"W:let", "W:c.Text", "W:=", "S:Roma"}));
}

TEST(Lexer, StringsKeepBlanksAndUndoubleQuotes) {
  EXPECT_EQ(Texts(Tokenize("echo \"say \"\"hi\"\"\" \"\" \"a  b\"")),
            (std::vector<std::string>{"W:echo", "S:say \"hi\"", "S:", "S:a  b"}));
  EXPECT_EQ(Texts(Tokenize("\"\"\"\"")), (std::vector<std::string>{"S:\""}));
}

TEST(Lexer, StringsCarryUtf8Unchanged) {
  EXPECT_EQ(Texts(Tokenize("type c \"Città è\"")), (std::vector<std::string>{"W:type", "W:c", "S:Città è"}));
}

TEST(Lexer, MalformedStringsAreScriptErrors) {
  EXPECT_THROW(Tokenize("echo \"open"), ScriptError);
  EXPECT_THROW(Tokenize("echo \"ends with doubled\"\""), ScriptError);
  EXPECT_THROW(Tokenize("echo \"a\"b"), ScriptError);
  EXPECT_THROW(Tokenize("echo ab\"c\""), ScriptError);
}

TEST(Lexer, BlankAndCommentLinesAreSkipped) {
  EXPECT_TRUE(IsBlankOrComment(""));
  EXPECT_TRUE(IsBlankOrComment("   \t"));
  EXPECT_TRUE(IsBlankOrComment("  # a comment"));
  EXPECT_FALSE(IsBlankOrComment("echo \"# not a comment\""));
  EXPECT_TRUE(Tokenize("   ").empty());
}

TEST(Lexer, SplitLinesDropsCarriageReturnsAndByteOrderMark) {
  EXPECT_EQ(SplitLines("\xEF\xBB\xBFnew c\r\n\r\nprint c.Text\n"),
            (std::vector<std::string>{"new c", "", "print c.Text"}));
  EXPECT_EQ(SplitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace cbo::script
