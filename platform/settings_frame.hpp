#pragma once
// The lines around a settings file's entries that tell a whole file from a cut
// or changed one:
//     # TORB_Cbo settings 2
//     Name = VALUE              (the entries)
//     # end 24 entries crc32 1A2B3C4D
// The end line gives the number of entries and the CRC-32 of every byte
// before it, header included; it ends with a line feed, the file's last byte.
// Both are comments to a reader of the earlier format, which had neither.
#include <cstddef>
#include <string>
#include <string_view>

namespace cbo {

// The header line, without its line feed.
inline constexpr std::string_view kSettingsHeader = "# TORB_Cbo settings 2";

// The whole file for entry lines `body` (each ending with a line feed).
std::string FramedSettings(const std::string& body, size_t entries);

// What a file's text holds. `body` is the entry lines; `entries` the number
// the end line gives (framed files only); `firstLine` the number of the
// body's first line in the file.
struct SettingsFrame {
  bool framed = false;  // false: a file of the earlier format, all body
  std::string_view body;
  size_t entries = 0;
  int firstLine = 1;
};

// Finds the body, checking the header and end line of a framed file and its
// checksum. A file that is empty, cut short, changed after it was written,
// or framed for another version is refused with a TypeMismatch error saying
// which; a text without the header is the earlier format, unless it ends
// with an end line (its header then was cut off or damaged).
SettingsFrame FindSettingsBody(std::string_view text);

}  // namespace cbo
