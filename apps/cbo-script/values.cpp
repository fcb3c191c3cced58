#include "values.hpp"

#include <charconv>
#include <cstdio>
#include <limits>

#include "control/type_library.hpp"
#include "script_error.hpp"

namespace cbo::script {

namespace {

bool IsDigits(const std::string& s, size_t from, size_t to) {
  if (from >= to) return false;
  for (size_t i = from; i < to; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

// -?digits
bool LooksInteger(const std::string& s) {
  size_t b = (!s.empty() && s[0] == '-') ? 1 : 0;
  return IsDigits(s, b, s.size());
}

// -?digits.digits
bool LooksDecimal(const std::string& s) {
  size_t b = (!s.empty() && s[0] == '-') ? 1 : 0;
  size_t dot = s.find('.', b);
  return dot != std::string::npos && IsDigits(s, b, dot) && IsDigits(s, dot + 1, s.size());
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

int32_t IntegerOf(const std::string& s) {
  int64_t v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    Mistake("the integer " + s + " does not fit 32 bits");
  return static_cast<int32_t>(v);
}

double DecimalOf(const std::string& s) {
  double v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc()) Mistake("bad number " + s);
  return v;
}

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
  if (LooksInteger(w)) return Variant(IntegerOf(w));
  if (LooksDecimal(w)) return Variant(DecimalOf(w));
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
  if (token.kind == Token::Word) {
    if (LooksInteger(token.text)) return IntegerOf(token.text);
    if (LooksDecimal(token.text)) return DecimalOf(token.text);
  }
  Mistake("a number was expected, not " + (token.kind == Token::String ? Quote(token.text) : token.text));
}

int32_t ParseInteger(const Token& token) {
  if (token.kind == Token::Word && LooksInteger(token.text)) return IntegerOf(token.text);
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
