#pragma once
// CRC-32 (the polynomial of zip, PNG and Ethernet), which the settings file
// keeps to tell a whole file from a changed one.
#include <cstdint>
#include <string_view>

namespace cbo {

uint32_t Crc32(std::string_view bytes);

}  // namespace cbo
