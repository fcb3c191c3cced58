// UTF-8 text measured in characters. Decoding and encoding give the bytes
// back, a stray byte counts as one character, and Left, Mid and From cut at
// character boundaries exactly as slicing the decoded characters does.
#include <algorithm>

#include "fuzz/harness.hpp"
#include "platform/text.hpp"

namespace t = cbo::text;
using cbo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t start = static_cast<int8_t>(data[0]);
  const int32_t count = static_cast<int8_t>(data[1]);
  const std::string s(reinterpret_cast<const char*>(data) + 2, size - 2);

  const std::u32string chars = t::Decode(s);
  Check(t::Encode(chars) == s, "decode and encode change the bytes");
  Check(t::Length(s) == static_cast<int32_t>(chars.size()), "Length differs from the characters decoded");

  // Every character is one well-formed sequence or one stray byte.
  size_t bytes = 0, i = 0;
  for (char32_t c : chars) {
    const int len = t::SequenceLength(s, i);
    const std::string encoded = t::FromCodePoint(c);
    Check(encoded.size() == static_cast<size_t>(len == 0 ? 1 : len), "a character's bytes differ from its sequence");
    Check(s.compare(i, encoded.size(), encoded) == 0, "a character encodes to other bytes");
    i += encoded.size();
    bytes += encoded.size();
  }
  Check(bytes == s.size(), "characters do not cover the bytes");

  const int32_t n = static_cast<int32_t>(chars.size());
  auto slice = [&](int32_t from, int32_t length) {
    from = std::clamp(from, 0, n);
    length = std::clamp(length, 0, n - from);
    return t::Encode(chars.substr(static_cast<size_t>(from), static_cast<size_t>(length)));
  };
  Check(t::Left(s, count) == slice(0, count), "Left");
  Check(t::Mid(s, start, count) == slice(start, count), "Mid");
  Check(t::From(s, start) == slice(start, n), "From");
  Check(t::Left(s, start) + t::From(s, start) == s || start < 0, "Left and From do not make the whole");
  return 0;
}
