#pragma once
// Stored texts compared by their folded form without folded copies: a text is
// folded one character at a time, only as far as a comparison looks, to the
// bytes FoldCase gives (valid UTF-8 characters folded, any other byte kept).
// Searches and sorts of the table compare through these.
#include <cstdint>
#include <string_view>

namespace cbo::table {

// The folded bytes of a text, one at a time.
class FoldedReader {
public:
  explicit FoldedReader(std::string_view text) : text_(text) {}

  // The next folded byte; false at the end of the text.
  bool Next(unsigned char& out) {
    if (at_ < held_) {
      out = buffer_[at_++];
      return true;
    }
    if (pos_ >= text_.size()) return false;
    const unsigned char c = static_cast<unsigned char>(text_[pos_]);
    if (c < 0x80) {
      ++pos_;
      out = (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
      return true;
    }
    FoldNext();
    out = buffer_[0];
    at_ = 1;
    return true;
  }

private:
  // Folds the character (or the lone invalid byte) at pos_ into `buffer_`.
  void FoldNext();

  std::string_view text_;
  size_t pos_ = 0;
  unsigned char buffer_[4] = {0, 0, 0, 0};
  unsigned at_ = 0, held_ = 0;
};

// The folded text against a key that is folded already: negative, zero or
// positive as the folded text sorts before, equal to or after the key. With
// `prefix` a folded text that begins with the key compares as zero; the texts
// that match a key form one run in folded order either way.
int CompareFolded(std::string_view text, std::string_view key, bool prefix);

// Whether the folded text equals the key (or begins with it). Its ASCII
// beginning is compared here, in line; the rest goes to CompareFolded.
inline bool MatchesFolded(std::string_view text, std::string_view key, bool prefix) {
  const size_t shorter = text.size() < key.size() ? text.size() : key.size();
  size_t i = 0;
  for (; i < shorter; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) return CompareFolded(text.substr(i), key.substr(i), prefix) == 0;
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + ('a' - 'A'));
    if (c != static_cast<unsigned char>(key[i])) return false;
  }
  // Each character left folds to at least one byte.
  if (i < key.size()) return false;
  return prefix || text.size() == key.size();
}

// Two texts by their folded forms.
int CompareFoldedTexts(std::string_view a, std::string_view b);

// A text's place in folded order as far as its first folded bytes tell it:
// `high` holds bytes 0-7 and `low` bytes 8-14 (big-endian, missing bytes as
// zero), then the folded length when it is at most 15, else 16. Two texts
// whose keys differ compare as their keys do; equal keys whose last byte is
// below 16 belong to equal texts. So a sort compares texts only when both are
// longer than 15 folded bytes and agree on the first 15.
struct LeadingKey {
  uint64_t high = 0, low = 0;
  bool operator==(const LeadingKey&) const = default;
  bool operator<(const LeadingKey& other) const { return high != other.high ? high < other.high : low < other.low; }
  // Whether equal keys mean equal texts.
  bool Whole() const { return (low & 0xFF) < 16; }
};
LeadingKey FoldedLeadingKey(std::string_view text);

// The first two folded bytes, the first in the low byte; a missing byte is 0.
uint16_t FoldedFirstTwo(std::string_view text);

}  // namespace cbo::table
