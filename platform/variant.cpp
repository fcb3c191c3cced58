#include "platform/variant.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/error.hpp"

namespace cbo {

const char* VarTypeName(VarType t) {
  switch (t) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::Missing: return "Missing";
    case VarType::Boolean: return "Boolean";
    case VarType::Byte: return "Byte";
    case VarType::Integer: return "Integer";
    case VarType::Long: return "Long";
    case VarType::Single: return "Single";
    case VarType::Double: return "Double";
    case VarType::String: return "String";
    case VarType::Date: return "Date";
    case VarType::Font: return "Font";
  }
  return "?";
}

bool Variant::IsNumeric() const {
  switch (type()) {
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double: return true;
    default: return false;
  }
}

std::string FormatNumber(double value) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

std::string FormatNumber(float value) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

namespace {

// A string in double quotes for a message: its first 100 bytes at most (cut
// where a character begins), and its length when it is longer.
std::string Shown(const std::string& s) {
  if (s.size() <= 100) return "\"" + s + "\"";
  size_t n = 100;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return "\"" + s.substr(0, n) + "\"... (" + std::to_string(s.size()) + " bytes)";
}

[[noreturn]] void Mismatch(const Variant& v, const char* target, const std::string& what) {
  throw Error(ErrorKind::TypeMismatch, what + ": a " + VarTypeName(v.type()) + " value cannot be used as " + target);
}

std::string DateText(DateValue d) {
  // Civil date from the day count (days since 1899-12-30).
  int64_t days = static_cast<int64_t>(std::floor(d.serial)) - 25569;  // to days since 1970-01-01
  int64_t z = days + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t y = yoe + era * 400;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int64_t dd = doy - (153 * mp + 2) / 5 + 1;
  int64_t mm = mp < 10 ? mp + 3 : mp - 9;
  if (mm <= 2) ++y;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", static_cast<int>(y), static_cast<int>(mm), static_cast<int>(dd));
  return buf;
}

// Parses a whole decimal number (optionally signed, optionally fractional).
bool ParseNumber(const std::string& s, double& out) {
  size_t b = s.find_first_not_of(' ');
  size_t e = s.find_last_not_of(' ');
  if (b == std::string::npos) return false;
  const char* first = s.data() + b;
  const char* last = s.data() + e + 1;
  if (*first == '+') ++first;
  auto r = std::from_chars(first, last, out);
  return r.ec == std::errc() && r.ptr == last;
}

// Rounds half to even, as the language's integer conversions do.
double RoundHalfEven(double x) { return std::nearbyint(x); }

int64_t ToWhole(const Variant& v, const char* target, const std::string& what) {
  switch (v.type()) {
    case VarType::Empty: return 0;
    case VarType::Boolean: return v.AsBool() ? -1 : 0;
    case VarType::Byte: return v.AsByte();
    case VarType::Integer: return v.AsInteger();
    case VarType::Long: return v.AsLong();
    case VarType::Single:
    case VarType::Double: {
      double d = RoundHalfEven(v.type() == VarType::Single ? v.AsSingle() : v.AsDouble());
      if (!(d >= -9.2e18 && d <= 9.2e18))
        throw Error(ErrorKind::Overflow, what + ": " + FormatNumber(d) + " does not fit a " + target);
      return static_cast<int64_t>(d);
    }
    case VarType::String: {
      double d;
      if (!ParseNumber(v.AsString(), d)) Mismatch(v, target, what + " (" + Shown(v.AsString()) + " is not a number)");
      d = RoundHalfEven(d);
      if (!(d >= -9.2e18 && d <= 9.2e18))
        throw Error(ErrorKind::Overflow, what + ": " + v.AsString() + " does not fit a " + target);
      return static_cast<int64_t>(d);
    }
    default: Mismatch(v, target, what);
  }
}

}  // namespace

std::string ToText(const Variant& v, const std::string& what) {
  switch (v.type()) {
    case VarType::Empty: return "";
    case VarType::Boolean: return v.AsBool() ? "True" : "False";
    case VarType::Byte: return std::to_string(v.AsByte());
    case VarType::Integer: return std::to_string(v.AsInteger());
    case VarType::Long: return std::to_string(v.AsLong());
    case VarType::Single: return FormatNumber(v.AsSingle());
    case VarType::Double: return FormatNumber(v.AsDouble());
    case VarType::String: return v.AsString();
    case VarType::Date: {
      // The years 1 to 9999; past them the calendar arithmetic would overflow.
      const double serial = v.AsDate().serial;
      if (!(serial >= -693593 && serial < 2958466))
        throw Error(ErrorKind::Overflow,
                    what + ": the date " + FormatNumber(serial) + " is outside the years 1 to 9999");
      return DateText(v.AsDate());
    }
    default: Mismatch(v, "text", what);
  }
}

double ToDouble(const Variant& v, const std::string& what) {
  switch (v.type()) {
    case VarType::Single: return v.AsSingle();
    case VarType::Double: return v.AsDouble();
    case VarType::Date: return v.AsDate().serial;
    case VarType::String: {
      double d;
      if (!ParseNumber(v.AsString(), d))
        Mismatch(v, "a number", what + " (" + Shown(v.AsString()) + " is not a number)");
      return d;
    }
    default: return static_cast<double>(ToWhole(v, "number", what));
  }
}

int32_t ToLong(const Variant& v, const std::string& what) { return NarrowToLong(ToWhole(v, "Long", what), what); }
int16_t ToInteger(const Variant& v, const std::string& what) {
  return NarrowToInteger(ToWhole(v, "Integer", what), what);
}
uint8_t ToByte(const Variant& v, const std::string& what) { return NarrowToByte(ToWhole(v, "Byte", what), what); }

bool ToBool(const Variant& v, const std::string& what) {
  switch (v.type()) {
    case VarType::Boolean: return v.AsBool();
    case VarType::String: {
      const std::string& s = v.AsString();
      if (s == "True" || s == "true" || s == "TRUE") return true;
      if (s == "False" || s == "false" || s == "FALSE") return false;
      double d;
      if (ParseNumber(s, d)) return d != 0;
      Mismatch(v, "a truth value", what + " (" + Shown(s) + ")");
    }
    case VarType::Single:
    case VarType::Double: return ToDouble(v, what) != 0;
    default: return ToWhole(v, "truth value", what) != 0;
  }
}

FontRef ToFont(const Variant& v, const std::string& what) {
  if (v.type() != VarType::Font || !v.AsFont()) Mismatch(v, "a font object", what);
  return v.AsFont();
}

uint32_t ToColour(const Variant& v, const std::string& what) {
  if (v.type() == VarType::Long) return static_cast<uint32_t>(v.AsLong());
  int64_t whole = ToWhole(v, "colour", what);
  if (whole < INT32_MIN || whole > UINT32_MAX)
    throw Error(ErrorKind::Overflow, what + ": " + std::to_string(whole) + " is not a 32-bit colour");
  return static_cast<uint32_t>(whole);
}

uint8_t NarrowToByte(int64_t value, std::string_view what) {
  if (value < 0 || value > 255)
    throw Error(ErrorKind::Overflow,
                std::string(what) + ": " + std::to_string(value) + " does not fit a Byte (0 to 255)");
  return static_cast<uint8_t>(value);
}

int16_t NarrowToInteger(int64_t value, std::string_view what) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
    throw Error(ErrorKind::Overflow,
                std::string(what) + ": " + std::to_string(value) + " does not fit an Integer (-32768 to 32767)");
  return static_cast<int16_t>(value);
}

int32_t NarrowToLong(int64_t value, std::string_view what) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    throw Error(ErrorKind::Overflow,
                std::string(what) + ": " + std::to_string(value) + " does not fit a Long (-2147483648 to 2147483647)");
  return static_cast<int32_t>(value);
}

}  // namespace cbo
