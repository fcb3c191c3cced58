// The criteria parser: field name, operator, quoted value, nothing after.
#include "list/table/criteria.hpp"

#include <cstddef>

#include "list/table/table_error.hpp"

namespace cbo::table {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsLike(const std::string& word) {
  if (word.size() != 4) return false;
  const char* like = "like";
  for (size_t i = 0; i < 4; ++i) {
    char c = word[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    if (c != like[i]) return false;
  }
  return true;
}

class CriteriaReader {
public:
  explicit CriteriaReader(const std::string& criteria) : criteria_(criteria) {}

  Criterion Read() {
    Criterion c;
    c.field = FieldName();
    bool like = Operator();
    c.value = QuotedValue();
    SkipBlanks();
    if (pos_ != criteria_.size())
      Refuse("text after the closing quote at " + Quoted(criteria_.substr(pos_)) +
             " (a quote inside the value must be doubled)");
    if (like && !c.value.empty() && c.value.back() == '*') {
      c.value.pop_back();
      c.prefix = true;
    }
    return c;
  }

private:
  // A run of characters up to a blank, "=" or a quote.
  std::string FieldName() {
    SkipBlanks();
    std::string name = Run();
    if (name.empty()) Refuse("expected a field name at " + Rest());
    return name;
  }

  // "=" or "like"; true for like.
  bool Operator() {
    SkipBlanks();
    if (pos_ < criteria_.size() && criteria_[pos_] == '=') {
      ++pos_;
      return false;
    }
    size_t start = pos_;
    std::string word = Run();
    if (!IsLike(word)) {
      pos_ = start;
      Refuse("expected \"=\" or \"like\" at " + Rest());
    }
    return true;
  }

  std::string QuotedValue() {
    SkipBlanks();
    if (pos_ >= criteria_.size() || criteria_[pos_] != '\'') Refuse("expected an opening quote at " + Rest());
    ++pos_;
    std::string value;
    while (pos_ < criteria_.size()) {
      char c = criteria_[pos_++];
      if (c != '\'') {
        value.push_back(c);
      } else if (pos_ < criteria_.size() && criteria_[pos_] == '\'') {
        value.push_back('\'');
        ++pos_;
      } else {
        return value;
      }
    }
    Refuse("the closing quote is missing");
  }

  std::string Run() {
    size_t start = pos_;
    while (pos_ < criteria_.size() && !IsBlank(criteria_[pos_]) && criteria_[pos_] != '=' && criteria_[pos_] != '\'')
      ++pos_;
    return criteria_.substr(start, pos_ - start);
  }

  void SkipBlanks() {
    while (pos_ < criteria_.size() && IsBlank(criteria_[pos_])) ++pos_;
  }

  std::string Rest() const { return pos_ >= criteria_.size() ? "the end" : Quoted(criteria_.substr(pos_)); }

  [[noreturn]] void Refuse(const std::string& why) const { Fail("criteria " + Quoted(criteria_) + ": " + why); }

  const std::string& criteria_;
  size_t pos_ = 0;
};

}  // namespace

Criterion ParseCriteria(const std::string& criteria) { return CriteriaReader(criteria).Read(); }

}  // namespace cbo::table
