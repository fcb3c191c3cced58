#include <cstdio>
#include <string>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {

void KeyOfCharacter(char32_t c, int16_t& keyCode, int16_t& shift) {
  keyCode = 0;
  shift = 0;
  if (c >= U'a' && c <= U'z') {
    keyCode = static_cast<int16_t>(c - U'a' + 65);
  } else if (c >= U'A' && c <= U'Z') {
    keyCode = static_cast<int16_t>(c);
    shift = 1;
  } else if ((c >= U'0' && c <= U'9') || c == U' ') {
    keyCode = static_cast<int16_t>(c);
  }
}

int16_t KeyAsciiOf(char32_t c) {
  if (c > 0xFFFF) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
    throw Error(ErrorKind::Widget, std::string("KeyAscii: the character ") + hex + " does not fit a 16-bit key code");
  }
  return static_cast<int16_t>(static_cast<uint16_t>(c));
}

}  // namespace cbo::headless
