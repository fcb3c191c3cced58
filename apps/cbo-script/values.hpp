#pragma once
// Value literals of a scenario, both ways: the tokens a scenario writes for a
// value, and the forms in which values are printed.
#include <cstdint>
#include <map>
#include <string>

#include "lexer.hpp"
#include "platform/font.hpp"
#include "platform/variant.hpp"

namespace cbo::script {

using FontTable = std::map<std::string, FontRef>;

// A value token: a string, an integer (a 32-bit Long), a floating-point
// number (Double), &H hex (the Long with that bit pattern), True/False,
// Empty/Null/Missing, a defined font, or an enumeration value's name (Long).
// Anything else is a ScriptError.
Variant ParseValue(const Token& token, const FontTable& fonts);

// A number token (integer or floating-point) as a double; ScriptError otherwise.
double ParseNumber(const Token& token);
// An integer token; ScriptError otherwise or outside 32 bits.
int32_t ParseInteger(const Token& token);

// "text" with inner quotes doubled.
std::string Quote(const std::string& text);
// Font("Face" 8.25 bold italic underline strikethrough); Nothing for no font.
std::string FormatFont(const FontRef& font);
// &H and 8 upper-case hex digits.
std::string FormatColour(uint32_t colour);
// A value in its printed form, by the variant's own type.
std::string FormatValue(const Variant& value);
// A value of a declared type: "Colour" prints as &H hex, "Boolean" as
// True/False (also when it travels as a number), anything else by the value.
std::string FormatTyped(const Variant& value, const std::string& type);

}  // namespace cbo::script
