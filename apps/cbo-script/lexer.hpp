#pragma once
// Lines and tokens of a scenario: one command per line, tokens separated by
// blanks, strings in double quotes with a doubled quote standing for one. A
// string may go on with pieces joined by & (quoted text or Chr(N), the byte
// N), the form in which control characters are printed:
//     paste c "one" & Chr(10) & "two"
#include <string>
#include <vector>

namespace cbo::script {

struct Token {
  enum Kind { Word, String };
  Kind kind = Word;
  std::string text;  // a string's content, its quotes removed and undoubled

  bool IsWord(const char* w) const { return kind == Word && text == w; }
};

// True for a blank line and for one whose first non-blank character is '#'.
bool IsBlankOrComment(const std::string& line);

// Splits one line into tokens; a malformed string is a ScriptError.
std::vector<Token> Tokenize(const std::string& line);

// Splits a scenario into its lines (a trailing carriage return and a leading
// byte-order mark are dropped).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace cbo::script
