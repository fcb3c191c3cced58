#pragma once
// Values written as text, both ways: the literal forms that scenarios, the
// property file and printed output share.
//   "text" (inner quotes doubled)   12  -7   2.5  1e-05  nan  inf   &H80000005
//   True  False  Empty  Null  Missing  Nothing  #2024-01-01#
//   Font("DejaVu Sans" 8.25 bold italic underline strikethrough)
// A string is one or more pieces joined by &: quoted text, or Chr(N) for the
// byte N (0 to 255). Control characters and bytes that are not UTF-8 are
// written that way, so that a written string never spans lines and reads back
// byte for byte:  "one" & Chr(13) & Chr(10) & "two".
// The typed forms Byte(N), Integer(N), Single(X), Double(X) and Date(X) say
// the type where the plain form would read back as another one.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/variant.hpp"

namespace cbo {

// A string in its literal form, with the pieces described above.
std::string QuoteText(const std::string& text);
// The start of a string in its literal form, for a message: the whole of it
// when that is at most `limit` characters long, else as many of its first
// characters as fit, followed by "... (N bytes)".
std::string QuoteExcerpt(std::string_view text, size_t limit = 100);
// A string as a scenario prints it: in double quotes, inner quotes doubled,
// every other byte as it is (a control character too).
std::string QuotePrinted(const std::string& text);
// Font("Face" 8.25[ bold][ italic][ underline][ strikethrough]); Nothing for none.
std::string FormatFont(const FontRef& font);
// &H and 8 upper-case hex digits.
std::string FormatColour(uint32_t colour);
// A value as it is printed: numbers of every width in decimal, floating-point
// numbers in their shortest form (a Double 1000 prints as 1000).
std::string FormatLiteral(const Variant& value);
// As FormatLiteral, with strings and font faces as QuotePrinted gives them:
// the form scenarios print.
std::string FormatPrinted(const Variant& value);
// A value in the form that reads back as the same type and the same value: as
// printed, except that a Byte, an Integer, a Single, and a Double that would
// read back as a Long, are written in their typed form. Missing has no such
// form: a TypeMismatch error naming `what`.
std::string FormatExactLiteral(const Variant& value, const std::string& what);

// Parses one whole literal (surrounding blanks allowed). A whole number that
// fits 32 bits becomes a Long, any other number a Double, &H hex the Long with
// that bit pattern, a font literal a new font object, Nothing a Font variant
// holding no font. On failure returns false with a message that quotes the
// text; `overflow` tells a number out of range from other faults.
bool ParseLiteral(std::string_view text, Variant& value, std::string& error, bool& overflow);

enum class NumberRead { Ok, NotANumber, OutOfRange };
// One number in any form std::to_chars writes (-12, 2.5, 1e-05, 3e+09, nan,
// -inf): a Long when it is whole, has no exponent and fits 32 bits, a Double
// otherwise.
NumberRead ParseNumberLiteral(std::string_view word, Variant& value);

// Reads a string literal starting at the quote at text[pos], with its pieces;
// pos ends just past the last piece (blanks before a following word are left
// alone). False with a message when it is malformed.
bool ScanStringLiteral(std::string_view text, size_t& pos, std::string& out, std::string& error);

}  // namespace cbo
