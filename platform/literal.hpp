#pragma once
// Values written as text, both ways: the literal forms that scenarios, the
// property file and printed output share.
//   "text" (inner quotes doubled)   12  -7   2.5   &H80000005   True  False
//   Empty  Null  Missing   Font("DejaVu Sans" 8.25 bold italic underline strikethrough)
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/variant.hpp"

namespace cbo {

std::string QuoteText(const std::string& text);
// Font("Face" 8.25[ bold][ italic][ underline][ strikethrough]); Nothing for none.
std::string FormatFont(const FontRef& font);
// &H and 8 upper-case hex digits.
std::string FormatColour(uint32_t colour);
// A value in its literal form, by the variant's own type.
std::string FormatLiteral(const Variant& value);

// Parses one whole literal (surrounding blanks allowed). Integers become Long
// variants, &H hex the Long with that bit pattern, decimals Double, a font
// literal a new font object. On failure returns false with a message that
// quotes the text; `overflow` tells a number out of range from other faults.
bool ParseLiteral(std::string_view text, Variant& value, std::string& error, bool& overflow);

}  // namespace cbo
