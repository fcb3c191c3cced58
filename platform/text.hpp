#pragma once
// UTF-8 text measured in characters (Unicode code points), never in bytes.
// A byte that is not part of a valid sequence counts as one character of its
// own and survives a decode/encode round trip unchanged.
#include <cstdint>
#include <string>

namespace cbo::text {

std::u32string Decode(const std::string& utf8);
std::string Encode(const std::u32string& chars);
std::string FromCodePoint(char32_t c);
// The length in bytes of the well-formed sequence that starts at byte i (1 to
// 4), or 0 when the byte there starts none (a stray continuation byte, an
// overlong form, a surrogate, a value past U+10FFFF, a cut-off sequence).
int SequenceLength(const std::string& utf8, size_t i);

int32_t Length(const std::string& utf8);
// The first n characters (all of them when n is past the end; none when n <= 0).
std::string Left(const std::string& utf8, int32_t n);
// n characters from character position start (0-based), clamped to the text.
std::string Mid(const std::string& utf8, int32_t start, int32_t n);
// Everything from character position start (0-based).
std::string From(const std::string& utf8, int32_t start);

}  // namespace cbo::text
