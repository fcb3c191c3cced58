#include "platform/settings_frame.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/crc32.hpp"
#include "platform/error.hpp"
#include "platform/literal.hpp"

namespace cbo {

namespace {

constexpr std::string_view kEndStart = "# end ";

[[noreturn]] void Refuse(const std::string& why) { throw Error(ErrorKind::TypeMismatch, why); }

std::string EndLine(size_t entries, uint32_t crc) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(crc));
  return std::string(kEndStart) + std::to_string(entries) + " entries crc32 " + hex;
}

// "# end N entries crc32 XXXXXXXX", exactly as written.
bool ReadEndLine(std::string_view line, size_t& entries, uint32_t& crc) {
  if (line.substr(0, kEndStart.size()) != kEndStart) return false;
  std::string_view rest = line.substr(kEndStart.size());
  auto r = std::from_chars(rest.data(), rest.data() + rest.size(), entries);
  if (r.ec != std::errc() || r.ptr == rest.data() || (rest[0] == '0' && r.ptr != rest.data() + 1)) return false;
  rest.remove_prefix(static_cast<size_t>(r.ptr - rest.data()));
  constexpr std::string_view kMiddle = " entries crc32 ";
  if (rest.substr(0, kMiddle.size()) != kMiddle) return false;
  rest.remove_prefix(kMiddle.size());
  if (rest.size() != 8) return false;
  for (char c : rest)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  std::from_chars(rest.data(), rest.data() + 8, crc, 16);
  return true;
}

// The last line of a text that ends with a line feed, without it.
std::string_view LastLine(std::string_view text) {
  std::string_view lines = text.substr(0, text.size() - 1);
  const size_t feed = lines.rfind('\n');
  return feed == std::string_view::npos ? lines : lines.substr(feed + 1);
}

}  // namespace

std::string FramedSettings(const std::string& body, size_t entries) {
  std::string text;
  text.reserve(body.size() + 80);
  text.append(kSettingsHeader).append("\n").append(body);
  text += EndLine(entries, Crc32(text)) + "\n";
  return text;
}

SettingsFrame FindSettingsBody(std::string_view text) {
  SettingsFrame frame;
  if (text.empty()) Refuse("the settings file is empty");
  const std::string header = std::string(kSettingsHeader) + "\n";
  if (text.size() < header.size() && header.compare(0, text.size(), text) == 0)
    Refuse("the settings file is cut short: it ends inside its header line");
  if (text.substr(0, header.size()) != header) {
    // "# TORB_Cbo" starts a header, of this version or another.
    const std::string_view first = text.substr(0, text.find('\n'));
    if (first.substr(0, 10) == kSettingsHeader.substr(0, 10))
      Refuse("the header line " + QuoteExcerpt(first) + " is not one this version reads (" +
             std::string(kSettingsHeader) + ")");
    size_t end = text.find_last_not_of("\r\n");
    size_t start = end == std::string_view::npos ? 0 : text.rfind('\n', end);
    start = start == std::string_view::npos ? 0 : start + 1;
    if (end != std::string_view::npos && text.substr(start, kEndStart.size()) == kEndStart)
      Refuse("the settings file has an end line but no header line: its start was cut off or changed");
    frame.body = text;
    return frame;
  }
  frame.framed = true;
  frame.firstLine = 2;
  if (text.back() != '\n') {
    const std::string_view tail = text.substr(text.rfind('\n') + 1);
    if (tail.substr(0, kEndStart.size()) == kEndStart.substr(0, std::min(tail.size(), kEndStart.size())))
      Refuse("the settings file is cut short: it ends inside its end line");
    Refuse("the settings file is cut short: it has no end line");
  }
  const std::string_view last = LastLine(text);
  const size_t bodyEnd = text.size() - last.size() - 1;
  uint32_t crc = 0;
  if (bodyEnd < header.size() || !ReadEndLine(last, frame.entries, crc)) {
    if (last.substr(0, kEndStart.size()) == kEndStart) Refuse("the end line " + QuoteExcerpt(last) + " is damaged");
    Refuse("the settings file is cut short: it has no end line");
  }
  if (Crc32(text.substr(0, bodyEnd)) != crc)
    Refuse("the checksum does not match: the settings file was changed or damaged after it was written");
  frame.body = text.substr(header.size(), bodyEnd - header.size());
  return frame;
}

}  // namespace cbo
