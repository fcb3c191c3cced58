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

TEST(Lexer, StringPiecesJoinedWithAmpersandAreOneString) {
  EXPECT_EQ(Texts(Tokenize("paste c \"one\" & Chr(13) & Chr(10) & \"two\" x")),
            (std::vector<std::string>{"W:paste", "W:c", "S:one\r\ntwo", "W:x"}));
  EXPECT_EQ(Texts(Tokenize("echo \"\"&Chr(0)&\"\"\"q\"")),
            (std::vector<std::string>{"W:echo", std::string("S:\0\"q", 5)}));
  EXPECT_EQ(Texts(Tokenize("echo \"a\" & Chr(255)")), (std::vector<std::string>{"W:echo", "S:a\xff"}));
  // A hex value after a string is a value of its own, as it always was.
  EXPECT_EQ(Texts(Tokenize("add c \"F\" &HFF")), (std::vector<std::string>{"W:add", "W:c", "S:F", "W:&HFF"}));
  EXPECT_THROW(Tokenize("echo \"a\" & Chr(256)"), ScriptError);
  EXPECT_THROW(Tokenize("echo \"a\" & Chr(1"), ScriptError);
  EXPECT_THROW(Tokenize("echo \"a\" & \"open"), ScriptError);
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
