#include "platform/literal.hpp"

#include <cctype>
#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <limits>

#include "platform/error.hpp"
#include "platform/text.hpp"

namespace cbo {

namespace {

// The days of the years 1 to 9999, as day serials (days since 1899-12-30):
// the dates that have a #YYYY-MM-DD# form.
constexpr double kFirstDay = -693593;  // 0001-01-01
constexpr double kLastDay = 2958465;   // 9999-12-31

// A byte that a string literal writes as Chr(N): a control character.
bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

std::string FormatDate(double serial) {
  bool plainDay = serial == std::floor(serial) && serial >= kFirstDay && serial <= kLastDay &&
                  !(serial == 0 && std::signbit(serial));
  if (plainDay) return "#" + ToText(Variant(DateValue{serial}), "date") + "#";
  return "Date(" + FormatNumber(serial) + ")";
}

}  // namespace

std::string QuoteText(const std::string& text) {
  std::string out = "\"";
  bool quoted = true;  // inside a quoted piece
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int len = text::SequenceLength(text, i);
    if (len == 0 || IsControl(c)) {
      if (quoted) out.push_back('"');
      quoted = false;
      out += " & Chr(" + std::to_string(c) + ")";
      ++i;
      continue;
    }
    if (!quoted) out += " & \"";
    quoted = true;
    out.append(text, i, static_cast<size_t>(len));
    if (c == '"') out.push_back('"');
    i += static_cast<size_t>(len);
  }
  if (quoted) out.push_back('"');
  return out;
}

std::string QuoteExcerpt(std::string_view text, size_t limit) {
  std::string whole = text.size() <= limit ? QuoteText(std::string(text)) : std::string();
  if (text.size() <= limit && whole.size() <= limit) return whole;
  // The longest start whose literal form fits (that length only grows with
  // the start's), cut where a character begins.
  auto start = [&](size_t n) {
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return std::string(text.substr(0, n));
  };
  size_t lo = 0, hi = std::min(text.size(), limit);
  while (lo < hi) {
    const size_t mid = (lo + hi + 1) / 2;
    if (QuoteText(start(mid)).size() <= limit)
      lo = mid;
    else
      hi = mid - 1;
  }
  return QuoteText(start(lo)) + "... (" + std::to_string(text.size()) + " bytes)";
}

std::string QuotePrinted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    out.push_back(c);
    if (c == '"') out.push_back('"');
  }
  return out + "\"";
}

namespace {

using Quoting = std::string (*)(const std::string&);

std::string FontWith(const FontRef& font, Quoting quote) {
  if (!font) return "Nothing";
  std::string out = "Font(" + quote(font->Name) + " " + FormatNumber(font->Size);
  if (font->Bold) out += " bold";
  if (font->Italic) out += " italic";
  if (font->Underline) out += " underline";
  if (font->Strikethrough) out += " strikethrough";
  return out + ")";
}

std::string LiteralWith(const Variant& v, Quoting quote) {
  switch (v.type()) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::Missing: return "Missing";
    case VarType::Boolean: return v.AsBool() ? "True" : "False";
    case VarType::Byte: return std::to_string(v.AsByte());
    case VarType::Integer: return std::to_string(v.AsInteger());
    case VarType::Long: return std::to_string(v.AsLong());
    case VarType::Single: return FormatNumber(v.AsSingle());
    case VarType::Double: return FormatNumber(v.AsDouble());
    case VarType::String: return quote(v.AsString());
    case VarType::Date: return FormatDate(v.AsDate().serial);
    case VarType::Font: return FontWith(v.AsFont(), quote);
  }
  return "?";
}

}  // namespace

std::string FormatFont(const FontRef& font) { return FontWith(font, QuoteText); }

std::string FormatColour(uint32_t colour) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "&H%08X", static_cast<unsigned>(colour));
  return buf;
}

std::string FormatLiteral(const Variant& v) { return LiteralWith(v, QuoteText); }

std::string FormatPrinted(const Variant& v) { return LiteralWith(v, QuotePrinted); }

std::string FormatExactLiteral(const Variant& v, const std::string& what) {
  switch (v.type()) {
    case VarType::Missing:
      throw Error(ErrorKind::TypeMismatch, what + ": Missing (an omitted argument) is not a value that can be written");
    case VarType::Byte: return "Byte(" + std::to_string(v.AsByte()) + ")";
    case VarType::Integer: return "Integer(" + std::to_string(v.AsInteger()) + ")";
    case VarType::Single: return "Single(" + FormatNumber(v.AsSingle()) + ")";
    case VarType::Double: {
      // The shortest form, unless it reads back as a Long (1000, -0).
      std::string shortest = FormatNumber(v.AsDouble());
      Variant back;
      if (ParseNumberLiteral(shortest, back) == NumberRead::Ok && back.type() == VarType::Double) return shortest;
      return "Double(" + shortest + ")";
    }
    default: return FormatLiteral(v);
  }
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!IsDigit(c)) return false;
  return true;
}

// -?(nan|inf|digits[.digits][e[+|-]digits]); `whole` when it has neither a
// fraction nor an exponent.
bool NumberShape(std::string_view w, bool& whole) {
  std::string_view body = (!w.empty() && w[0] == '-') ? w.substr(1) : w;
  whole = false;
  if (body == "nan" || body == "inf") return true;
  size_t e = body.find_first_of("eE");
  std::string_view mantissa = body.substr(0, e);
  if (e != std::string_view::npos) {
    std::string_view exponent = body.substr(e + 1);
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.remove_prefix(1);
    if (!IsDigits(exponent)) return false;
  }
  size_t dot = mantissa.find('.');
  if (dot == std::string_view::npos) {
    whole = e == std::string_view::npos;
    return IsDigits(mantissa);
  }
  return IsDigits(mantissa.substr(0, dot)) && IsDigits(mantissa.substr(dot + 1));
}

// A floating-point number of a checked shape, in the precision of T.
template <class T>
NumberRead FloatOf(std::string_view w, T& out) {
  bool negative = w[0] == '-';
  std::string_view body = negative ? w.substr(1) : w;
  if (body == "nan" || body == "inf") {
    out = body == "nan" ? std::numeric_limits<T>::quiet_NaN() : std::numeric_limits<T>::infinity();
    if (negative) out = -out;
    return NumberRead::Ok;
  }
  auto r = std::from_chars(w.data(), w.data() + w.size(), out);
  if (r.ec == std::errc::result_out_of_range) return NumberRead::OutOfRange;
  if (r.ec != std::errc() || r.ptr != w.data() + w.size()) return NumberRead::NotANumber;
  return NumberRead::Ok;
}

// Days since 1899-12-30 of a civil date.
double DaySerial(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<double>(era) * 146097 + doe - 719468 + 25569;
}

// #YYYY-MM-DD#, a day of the years 1 to 9999.
bool DateOf(std::string_view w, Variant& value) {
  if (w.size() != 12 || w[0] != '#' || w[5] != '-' || w[8] != '-' || w[11] != '#') return false;
  if (!IsDigits(w.substr(1, 4)) || !IsDigits(w.substr(6, 2)) || !IsDigits(w.substr(9, 2))) return false;
  auto number = [&](size_t from, size_t n) {
    int v = 0;
    std::from_chars(w.data() + from, w.data() + from + n, v);
    return v;
  };
  int y = number(1, 4), m = number(6, 2), d = number(9, 2);
  if (y < 1 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  Variant date{DateValue{DaySerial(y, m, d)}};
  // A day past the end of its month (02-30) comes back as another date.
  if (ToText(date, "date") != w.substr(1, 10)) return false;
  value = date;
  return true;
}

// A cursor over the literal's text.
struct Lettore {
  std::string_view s;
  size_t i = 0;
  void Spazi() {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  }
  bool Fine() const { return i >= s.size(); }
  bool Inizia(std::string_view prefix) const { return s.substr(i, prefix.size()) == prefix; }
  std::string_view Parola() {
    size_t b = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != ')' && s[i] != '(') ++i;
    return s.substr(b, i - b);
  }
};

bool Esadecimale(std::string_view w, Variant& value, bool& overflow) {
  std::string_view digits = w.substr(2);
  if (digits.empty()) return false;
  for (char c : digits)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  if (digits.size() > 8) {
    overflow = true;
    return false;
  }
  uint32_t v = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
  value = Variant(static_cast<int32_t>(v));
  return true;
}

// Font("Face" SIZE [bold] [italic] [underline] [strikethrough]), past "Font(".
bool Carattere(Lettore& r, Variant& value, std::string& error) {
  auto font = std::make_shared<Font>();
  r.Spazi();
  if (r.Fine() || r.s[r.i] != '"') return false;
  if (!ScanStringLiteral(r.s, r.i, font->Name, error)) return false;
  r.Spazi();
  std::string_view size = r.Parola();
  bool whole = false;
  if (!NumberShape(size, whole) || FloatOf(size, font->Size) != NumberRead::Ok) return false;
  for (;;) {
    r.Spazi();
    if (r.Fine()) return false;
    if (r.s[r.i] == ')') {
      ++r.i;
      break;
    }
    std::string_view w = r.Parola();
    if (w == "bold")
      font->Bold = true;
    else if (w == "italic")
      font->Italic = true;
    else if (w == "underline")
      font->Underline = true;
    else if (w == "strikethrough")
      font->Strikethrough = true;
    else
      return false;
  }
  value = Variant(FontRef(font));
  return true;
}

// The number inside a typed form Byte(N), Integer(N), Single(X), Double(X),
// Date(X), past the opening parenthesis, and the closing one.
NumberRead Tipizzato(Lettore& r, VarType type, Variant& value) {
  r.Spazi();
  std::string_view w = r.Parola();
  r.Spazi();
  if (r.Fine() || r.s[r.i] != ')') return NumberRead::NotANumber;
  ++r.i;
  bool whole = false;
  if (!NumberShape(w, whole)) return NumberRead::NotANumber;
  if (type == VarType::Byte || type == VarType::Integer) {
    if (!whole) return NumberRead::NotANumber;
    int64_t v = 0;
    auto res = std::from_chars(w.data(), w.data() + w.size(), v);
    const int64_t lo = type == VarType::Byte ? 0 : std::numeric_limits<int16_t>::min();
    const int64_t hi = type == VarType::Byte ? 255 : std::numeric_limits<int16_t>::max();
    if (res.ec != std::errc() || v < lo || v > hi) return NumberRead::OutOfRange;
    value = type == VarType::Byte ? Variant(static_cast<uint8_t>(v)) : Variant(static_cast<int16_t>(v));
    return NumberRead::Ok;
  }
  if (type == VarType::Single) {
    float f = 0;
    NumberRead e = FloatOf(w, f);
    if (e == NumberRead::Ok) value = Variant(f);
    return e;
  }
  double d = 0;
  NumberRead e = FloatOf(w, d);
  if (e == NumberRead::Ok) value = type == VarType::Date ? Variant(DateValue{d}) : Variant(d);
  return e;
}

}  // namespace

NumberRead ParseNumberLiteral(std::string_view w, Variant& value) {
  bool whole = false;
  if (!NumberShape(w, whole)) return NumberRead::NotANumber;
  if (whole) {
    int32_t v = 0;
    auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    if (r.ec == std::errc() && r.ptr == w.data() + w.size()) {
      value = Variant(v);
      return NumberRead::Ok;
    }
  }
  double d = 0;
  NumberRead e = FloatOf(w, d);
  if (e == NumberRead::Ok) value = Variant(d);
  return e;
}

bool ScanStringLiteral(std::string_view s, size_t& pos, std::string& out, std::string& error) {
  out.clear();
  size_t i = pos;
  if (i >= s.size() || s[i] != '"') {
    error = "a string was expected";
    return false;
  }
  for (;;) {
    if (s[i] == '"') {
      ++i;
      bool closed = false;
      while (i < s.size()) {
        if (s[i] == '"') {
          if (i + 1 < s.size() && s[i + 1] == '"') {
            out.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        out.push_back(s[i++]);
      }
      if (!closed) {
        error = "a string without its closing quote";
        return false;
      }
    } else {  // Chr(N)
      i += 4;
      size_t digits = i;
      while (i < s.size() && IsDigit(s[i])) ++i;
      int byte = 256;
      if (i > digits && i - digits <= 3) std::from_chars(s.data() + digits, s.data() + i, byte);
      if (byte > 255 || i >= s.size() || s[i] != ')') {
        error = "a malformed Chr(N) in a string (N is a byte from 0 to 255)";
        return false;
      }
      out.push_back(static_cast<char>(byte));
      ++i;
    }
    pos = i;
    // Another piece joined with &?
    size_t j = i;
    while (j < s.size() && (s[j] == ' ' || s[j] == '\t')) ++j;
    if (j >= s.size() || s[j] != '&') return true;
    ++j;
    while (j < s.size() && (s[j] == ' ' || s[j] == '\t')) ++j;
    if (j < s.size() && (s[j] == '"' || s.substr(j, 4) == "Chr(")) {
      i = j;
      continue;
    }
    return true;
  }
}

bool ParseLiteral(std::string_view text, Variant& value, std::string& error, bool& overflow) {
  overflow = false;
  Lettore r{text};
  r.Spazi();
  auto fail = [&](const std::string& why) {
    error = why + " in " + QuoteExcerpt(text);
    return false;
  };
  auto outOfRange = [&](const std::string& what) {
    overflow = true;
    return fail(what + " out of range");
  };
  if (r.Fine()) return fail("no value");
  static const std::pair<std::string_view, VarType> typed[] = {{"Byte(", VarType::Byte},
                                                               {"Integer(", VarType::Integer},
                                                               {"Single(", VarType::Single},
                                                               {"Double(", VarType::Double},
                                                               {"Date(", VarType::Date}};
  bool done = false;
  if (r.s[r.i] == '"') {
    std::string s, why;
    if (!ScanStringLiteral(r.s, r.i, s, why)) return fail(why);
    value = Variant(s);
    done = true;
  } else if (r.Inizia("Font(")) {
    r.i += 5;
    std::string why;
    if (!Carattere(r, value, why))
      return fail(why.empty() ? "a malformed font (Font(\"Face\" SIZE bold italic underline strikethrough))" : why);
    done = true;
  }
  for (const auto& [prefix, type] : typed) {
    if (done || !r.Inizia(prefix)) continue;
    r.i += prefix.size();
    const std::string name(prefix.substr(0, prefix.size() - 1));
    NumberRead e = Tipizzato(r, type, value);
    if (e == NumberRead::OutOfRange) return outOfRange("a " + name);
    if (e != NumberRead::Ok) return fail("a malformed " + name + "(...)");
    done = true;
  }
  if (!done) {
    std::string_view w = r.Parola();
    if (w.size() >= 2 && w[0] == '&' && (w[1] == 'H' || w[1] == 'h')) {
      if (!Esadecimale(w, value, overflow))
        return fail(overflow ? "a hexadecimal number past 32 bits" : "a malformed hexadecimal number");
    } else if (w == "True" || w == "False") {
      value = Variant(w == "True");
    } else if (w == "Empty") {
      value = Variant();
    } else if (w == "Null") {
      value = Variant::Null();
    } else if (w == "Missing") {
      value = Variant::Missing();
    } else if (w == "Nothing") {
      value = Variant(FontRef());
    } else if (!w.empty() && w[0] == '#') {
      if (!DateOf(w, value)) return fail("a malformed date (#YYYY-MM-DD#, years 1 to 9999)");
    } else {
      NumberRead e = ParseNumberLiteral(w, value);
      if (e == NumberRead::OutOfRange) return outOfRange("a number");
      if (e != NumberRead::Ok) return fail("an unknown literal");
    }
  }
  r.Spazi();
  if (!r.Fine()) return fail("text after the value");
  return true;
}

}  // namespace cbo
