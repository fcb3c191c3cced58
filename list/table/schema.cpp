// The schema command parser. The command is read as a row of tokens: words
// (runs of characters other than blanks, commas, parentheses, brackets and
// quotes) and the punctuation "(", ")" and ","; blanks between tokens are free.
#include "list/table/schema.hpp"

#include <cstddef>

#include "list/table/recordset.hpp"
#include "list/table/table_error.hpp"

namespace cbo::table {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsWordChar(char c) {
  switch (c) {
    case ',':
    case '(':
    case ')':
    case '[':
    case ']':
    case '\'':
    case '"': return false;
    default: return !IsBlank(c);
  }
}

bool SameKeyword(const std::string& word, const char* keyword) {
  std::string k = keyword;
  if (word.size() != k.size()) return false;
  for (size_t i = 0; i < k.size(); ++i) {
    char a = word[i], b = k[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + ('a' - 'A'));
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + ('a' - 'A'));
    if (a != b) return false;
  }
  return true;
}

class SchemaReader {
public:
  explicit SchemaReader(const std::string& command) : command_(command) {}

  std::vector<FieldSpec> Read() {
    Keyword("SHAPE");
    Keyword("APPEND");
    std::vector<FieldSpec> fields;
    fields.push_back(FieldDeclaration());
    while (NextIs(',')) {
      ++pos_;
      fields.push_back(FieldDeclaration());
    }
    SkipBlanks();
    if (pos_ != command_.size()) Expected("\",\" or the end");
    return fields;
  }

private:
  // New adVarChar(N) As Name
  FieldSpec FieldDeclaration() {
    Keyword("New");
    Keyword("adVarChar");
    Punctuation('(');
    FieldSpec field;
    field.maxLength = Length();
    Punctuation(')');
    Keyword("As");
    field.name = Name();
    return field;
  }

  void Keyword(const char* keyword) {
    SkipBlanks();
    size_t start = pos_;
    if (!SameKeyword(Word(), keyword)) {
      pos_ = start;
      Expected(Quoted(keyword));
    }
  }

  void Punctuation(char c) {
    if (!NextIs(c)) Expected(Quoted(std::string(1, c)));
    ++pos_;
  }

  // A positive whole number of characters.
  int32_t Length() {
    SkipBlanks();
    size_t start = pos_;
    std::string word = Word();
    int64_t value = 0;
    bool ok = !word.empty();
    for (char c : word) {
      if (c < '0' || c > '9')
        ok = false;
      else if (ok)
        value = value * 10 + (c - '0');
      if (value > INT32_MAX) ok = false;
    }
    if (!ok || value == 0) {
      pos_ = start;
      Expected("a positive whole number of characters");
    }
    return static_cast<int32_t>(value);
  }

  std::string Name() {
    SkipBlanks();
    std::string name = Word();
    if (name.empty()) Expected("a field name");
    return name;
  }

  std::string Word() {
    size_t start = pos_;
    while (pos_ < command_.size() && IsWordChar(command_[pos_])) ++pos_;
    return command_.substr(start, pos_ - start);
  }

  bool NextIs(char c) {
    SkipBlanks();
    return pos_ < command_.size() && command_[pos_] == c;
  }

  void SkipBlanks() {
    while (pos_ < command_.size() && IsBlank(command_[pos_])) ++pos_;
  }

  [[noreturn]] void Expected(const std::string& what) const {
    if (pos_ >= command_.size()) Fail("schema command: expected " + what + " at the end of " + Quoted(command_));
    Fail("schema command: expected " + what + " at " + Quoted(command_.substr(pos_)));
  }

  const std::string& command_;
  size_t pos_ = 0;
};

void RefuseDuplicates(const std::vector<FieldSpec>& fields, const std::string& command) {
  for (size_t i = 0; i < fields.size(); ++i)
    for (size_t j = 0; j < i; ++j)
      if (FoldCase(fields[i].name) == FoldCase(fields[j].name))
        Fail("schema command: field " + Quoted(fields[i].name) + " is declared twice in " + Quoted(command));
}

}  // namespace

std::vector<FieldSpec> ParseSchema(const std::string& command) {
  std::vector<FieldSpec> fields = SchemaReader(command).Read();
  RefuseDuplicates(fields, command);
  return fields;
}

}  // namespace cbo::table
