#pragma once
// Value literals of a scenario, both ways: the tokens a scenario writes for a
// value, and the forms in which values are printed.
#include <cstdint>
#include <map>
#include <string>

#include "lexer.hpp"
#include "platform/font.hpp"
#include "platform/literal.hpp"
#include "platform/variant.hpp"

namespace cbo::script {

using FontTable = std::map<std::string, FontRef>;

// A value token: a string, a number in any form the script prints (a whole
// number that fits 32 bits is a Long, any other number a Double: 12, 2.5,
// 1e-05, 3000000000, nan, -inf), &H hex (the Long with that bit pattern),
// True/False, Empty/Null/Missing, a defined font, or an enumeration value's
// name (Long). Anything else is a ScriptError.
Variant ParseValue(const Token& token, const FontTable& fonts);

// A number token in any of those forms as a double; ScriptError otherwise.
double ParseNumber(const Token& token);
// An integer token; ScriptError otherwise or outside 32 bits.
int32_t ParseInteger(const Token& token);

// Values as scenarios print them: the literal forms shared with the settings
// file, with strings as they are between their quotes.
inline std::string Quote(const std::string& text) { return QuotePrinted(text); }
using cbo::FormatColour;
inline std::string PrintedFont(const FontRef& font) { return FormatPrinted(Variant(font)); }
inline std::string FormatValue(const Variant& value) { return FormatPrinted(value); }

// A value of a declared type: "Colour" prints as &H hex, "Boolean" as
// True/False (also when it travels as a number), anything else by the value.
std::string FormatTyped(const Variant& value, const std::string& type);

}  // namespace cbo::script
