#include "lexer.hpp"

#include "platform/literal.hpp"
#include "script_error.hpp"

namespace cbo::script {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool IsBlankOrComment(const std::string& line) {
  size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  return i == line.size() || line[i] == '#';
}

std::vector<Token> Tokenize(const std::string& line) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    Token t;
    if (line[i] == '"') {
      t.kind = Token::String;
      std::string error;
      if (!ScanStringLiteral(line, i, t.text, error)) Mistake(error);
      if (i < line.size() && !IsBlank(line[i])) Mistake("a blank must follow the closing quote of a string");
    } else {
      while (i < line.size() && !IsBlank(line[i])) {
        if (line[i] == '"') Mistake("a quote inside the word \"" + t.text + "\"");
        t.text.push_back(line[i++]);
      }
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (auto& l : lines)
    if (!l.empty() && l.back() == '\r') l.pop_back();
  return lines;
}

}  // namespace cbo::script
