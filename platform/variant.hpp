#pragma once
// The self-describing value that crosses the control's boundaries: ListItem,
// ListValue, events by number, the property bag and scripts.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/font.hpp"

namespace cbo {

enum class VarType { Empty, Null, Missing, Boolean, Byte, Integer, Long, Single, Double, String, Date, Font };

// The type's name as messages spell it ("Long", "String", ...).
const char* VarTypeName(VarType t);

struct NullValue {
  bool operator==(const NullValue&) const = default;
};
// An omitted optional argument.
struct MissingValue {
  bool operator==(const MissingValue&) const = default;
};
// A calendar date as days since 1899-12-30 (the fraction is the time of day).
struct DateValue {
  double serial = 0;
  bool operator==(const DateValue&) const = default;
};

class Variant {
public:
  Variant() = default;
  Variant(NullValue v) : v_(v) {}
  Variant(MissingValue v) : v_(v) {}
  Variant(bool v) : v_(v) {}
  Variant(uint8_t v) : v_(v) {}
  Variant(int16_t v) : v_(v) {}
  Variant(int32_t v) : v_(v) {}
  Variant(float v) : v_(v) {}
  Variant(double v) : v_(v) {}
  Variant(std::string v) : v_(std::move(v)) {}
  Variant(const char* v) : v_(std::string(v)) {}
  Variant(DateValue v) : v_(v) {}
  Variant(FontRef v) : v_(std::move(v)) {}

  static Variant Null() { return Variant(NullValue{}); }
  static Variant Missing() { return Variant(MissingValue{}); }

  VarType type() const { return static_cast<VarType>(v_.index()); }
  bool IsEmpty() const { return type() == VarType::Empty; }
  bool IsNull() const { return type() == VarType::Null; }
  bool IsMissing() const { return type() == VarType::Missing; }
  bool IsNumeric() const;

  bool AsBool() const { return std::get<bool>(v_); }
  uint8_t AsByte() const { return std::get<uint8_t>(v_); }
  int16_t AsInteger() const { return std::get<int16_t>(v_); }
  int32_t AsLong() const { return std::get<int32_t>(v_); }
  float AsSingle() const { return std::get<float>(v_); }
  double AsDouble() const { return std::get<double>(v_); }
  const std::string& AsString() const { return std::get<std::string>(v_); }
  DateValue AsDate() const { return std::get<DateValue>(v_); }
  const FontRef& AsFont() const { return std::get<FontRef>(v_); }

  bool operator==(const Variant& other) const { return v_ == other.v_; }

private:
  std::variant<std::monostate, NullValue, MissingValue, bool, uint8_t, int16_t, int32_t, float, double, std::string,
               DateValue, FontRef>
      v_;
};

// Conversions with the usual rules of the control's language: numbers in
// decimal, True/False, numeric strings parsed; a value that does not fit is an
// Overflow error and one that cannot be converted a TypeMismatch error. `what`
// names the field, property or argument in the message.
std::string ToText(const Variant& v, const std::string& what);
double ToDouble(const Variant& v, const std::string& what);
int32_t ToLong(const Variant& v, const std::string& what);
int16_t ToInteger(const Variant& v, const std::string& what);
uint8_t ToByte(const Variant& v, const std::string& what);
bool ToBool(const Variant& v, const std::string& what);
FontRef ToFont(const Variant& v, const std::string& what);
// A 32-bit colour: a Long is taken by its bit pattern (&H80000005 is a
// negative Long), any other whole number from 0 to 4294967295 as it is.
uint32_t ToColour(const Variant& v, const std::string& what);
// A colour as a Long with the same bit pattern, as it travels in a variant.
inline int32_t ColourAsLong(uint32_t c) { return static_cast<int32_t>(c); }

// Narrowing of a 32-bit argument; a value outside the range is an Overflow
// error naming `what` and the value.
uint8_t NarrowToByte(int64_t value, std::string_view what);
int16_t NarrowToInteger(int64_t value, std::string_view what);
int32_t NarrowToLong(int64_t value, std::string_view what);

// A number in its shortest form that reads back the same ("8.25", "1000").
std::string FormatNumber(double value);
std::string FormatNumber(float value);

}  // namespace cbo
