#include "values.hpp"

#include <charconv>

#include "control/type_library.hpp"
#include "script_error.hpp"

namespace cbo::script {

namespace {

// -?digits
bool LooksInteger(const std::string& s) {
  size_t b = (!s.empty() && s[0] == '-') ? 1 : 0;
  if (b == s.size()) return false;
  for (size_t i = b; i < s.size(); ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

// A number in any form the script prints: a Long or a Double. False when the
// word is no number; a number out of range is a mistake.
bool NumberOf(const std::string& s, Variant& value) {
  NumberRead e = ParseNumberLiteral(s, value);
  if (e == NumberRead::OutOfRange) Mistake("the number " + s + " is out of range");
  return e == NumberRead::Ok;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

int32_t HexOf(const std::string& s) {
  std::string digits = s.substr(2);
  if (digits.empty() || digits.size() > 8) Mistake("bad hexadecimal literal " + s + " (1 to 8 digits)");
  for (char c : digits)
    if (!IsHexDigit(c)) Mistake("bad hexadecimal literal " + s);
  uint32_t v = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
  return static_cast<int32_t>(v);
}

bool IsHexLiteral(const std::string& s) { return s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h'); }

}  // namespace

Variant ParseValue(const Token& token, const FontTable& fonts) {
  if (token.kind == Token::String) return Variant(token.text);
  const std::string& w = token.text;
  if (Variant n; NumberOf(w, n)) return n;
  if (IsHexLiteral(w)) return Variant(HexOf(w));
  if (w == "True") return Variant(true);
  if (w == "False") return Variant(false);
  if (w == "Empty") return Variant();
  if (w == "Null") return Variant::Null();
  if (w == "Missing") return Variant::Missing();
  if (auto f = fonts.find(w); f != fonts.end()) return Variant(f->second);
  int32_t e = 0;
  if (FindEnumValue(w, e)) return Variant(e);
  Mistake("unknown name " + w);
}

double ParseNumber(const Token& token) {
  if (Variant n; token.kind == Token::Word && NumberOf(token.text, n)) return ToDouble(n, token.text);
  Mistake("a number was expected, not " + (token.kind == Token::String ? Quote(token.text) : token.text));
}

int32_t ParseInteger(const Token& token) {
  if (Variant n; token.kind == Token::Word && LooksInteger(token.text) && NumberOf(token.text, n)) {
    if (n.type() != VarType::Long) Mistake("the integer " + token.text + " does not fit 32 bits");
    return n.AsLong();
  }
  Mistake("an integer was expected, not " + (token.kind == Token::String ? Quote(token.text) : token.text));
}

std::string FormatTyped(const Variant& v, const std::string& type) {
  if (type == "Colour" && v.IsNumeric()) {
    double d = ToDouble(v, "colour");
    return FormatColour(static_cast<uint32_t>(static_cast<int64_t>(d)));
  }
  if (type == "Boolean" && v.IsNumeric()) return ToDouble(v, "truth value") != 0 ? "True" : "False";
  return FormatValue(v);
}

}  // namespace cbo::script
