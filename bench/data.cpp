#include "bench/data.hpp"

#include <algorithm>
#include <map>
#include <random>

#include "bench/figures.hpp"

namespace bench {

const char* const kFieldNames[kColumns] = {"Descrizione", "Codice", "Citta", "Prezzo"};

namespace {

const char* const kSyllables[] = {"ca", "fè",  "lo", "ri",  "mà",  "ne", "tù",  "sco", "pe", "gio", "là",  "vi",
                                  "rò", "bel", "no", "ta",  "ssi", "mo", "dè",  "chi", "ra", "zi",  "ò",   "gra",
                                  "ni", "ù",   "te", "spa", "lu",  "cé", "for", "è",   "sa", "pi",  "ver", "cò"};
const char* const kTowns[] = {"Roma",  "Milano", "Napoli", "Torino", "Forlì",   "Cantù",   "Bari",    "Como",
                              "Èboli", "Trento", "Novara", "Ragusa", "Cosenza", "Brescia", "Bologna", "Monza"};

// The capital of a word's first letter: ASCII or one of the accented vowels.
std::string Capitalised(std::string w) {
  static const std::pair<const char*, const char*> accented[] = {{"à", "À"}, {"è", "È"}, {"é", "É"},
                                                                 {"ì", "Ì"}, {"ò", "Ò"}, {"ù", "Ù"}};
  if (w[0] >= 'a' && w[0] <= 'z') {
    w[0] = static_cast<char>(w[0] - 'a' + 'A');
    return w;
  }
  for (const auto& [low, up] : accented)
    if (w.rfind(low, 0) == 0) return std::string(up) + w.substr(std::string(low).size());
  return w;
}

class Generator {
public:
  explicit Generator(uint64_t seed) : rng_(seed) {}
  uint64_t Below(uint64_t n) { return rng_() % n; }
  std::string Word() {
    std::string w;
    const uint64_t syllables = 2 + Below(3);
    for (uint64_t i = 0; i < syllables; ++i) w += kSyllables[Below(std::size(kSyllables))];
    return Capitalised(w);
  }

private:
  std::mt19937_64 rng_;
};

// The next row of the generated sequence.
void NextRow(Generator& g, Row& r) {
  r[0] = g.Word() + " " + g.Word();
  if (g.Below(3) == 0) r[0] += " " + g.Word();
  r[1] = "C" + std::to_string(100000 + g.Below(900000));
  r[2] = kTowns[g.Below(std::size(kTowns))];
  r[3] = std::to_string(1 + g.Below(999)) + "." + std::to_string(10 + g.Below(90));
}

constexpr uint64_t kRowSeed = 20240601;

// The first characters of a text, as a user types them.
std::string Prefix(const std::string& text, size_t chars) {
  const std::u32string points = CodePoints(text);
  std::string prefix;
  for (size_t c = 0; c < chars && c < points.size(); ++c) {
    char32_t cp = points[c];
    if (cp < 0x80) {
      prefix += static_cast<char>(cp);
    } else {
      prefix += static_cast<char>(0xC0 | (cp >> 6));
      prefix += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return prefix;
}

// The row each typed text comes from and how many characters it keeps.
std::vector<std::pair<size_t, size_t>> PrefixPicks(size_t n, size_t count) {
  Generator g(7);
  std::vector<std::pair<size_t, size_t>> picks;
  for (size_t i = 0; i < count; ++i) {
    const size_t row = g.Below(n);
    picks.emplace_back(row, (i % 2 == 0) ? 1 + g.Below(3) : 5 + g.Below(4));
  }
  return picks;
}

}  // namespace

Rows MakeRows(size_t n) {
  Generator g(kRowSeed);
  Rows out;
  out.rows.resize(n);
  for (auto& r : out.rows) {
    NextRow(g, r);
    for (const std::string& v : r) out.rawBytes += v.size();
  }
  return out;
}

std::vector<std::string> MakePrefixes(const Rows& rows, size_t n, size_t count) {
  std::vector<std::string> out;
  for (const auto& [row, chars] : PrefixPicks(n, count)) out.push_back(Prefix(rows.rows[row][0], chars));
  return out;
}

void ForEachRow(size_t n, const std::function<void(size_t, const Row&)>& take) {
  if (Settings().holdRows) {
    const auto& rows = SharedRows().rows;
    for (size_t r = 0; r < n; ++r) take(r, rows[r]);
    return;
  }
  Generator g(kRowSeed);
  Row row;
  for (size_t r = 0; r < n; ++r) {
    NextRow(g, row);
    take(r, row);
  }
}

std::vector<std::string> PrefixesOfFirst(size_t n, size_t count) {
  if (Settings().holdRows) return MakePrefixes(SharedRows(), n, count);
  const std::vector<std::pair<size_t, size_t>> picks = PrefixPicks(n, count);
  if (picks.empty()) return {};
  std::map<size_t, std::string> texts;  // the display value of each row picked
  for (const auto& pick : picks) texts[pick.first];
  const size_t last = texts.rbegin()->first;
  ForEachRow(last + 1, [&](size_t r, const Row& row) {
    if (auto it = texts.find(r); it != texts.end()) it->second = row[0];
  });
  std::vector<std::string> out;
  for (const auto& [row, chars] : picks) out.push_back(Prefix(texts[row], chars));
  return out;
}

const Rows& SharedRows() {
  static const Rows rows = MakeRows(*std::max_element(Settings().sizes.begin(), Settings().sizes.end()));
  return rows;
}

std::string NoMatchText() { return "Qwxz"; }

std::vector<std::string> FilterKeys() {
  const std::string typed = "rossi m";
  std::vector<std::string> keys;
  for (size_t i = 1; i <= typed.size(); ++i) keys.push_back(typed.substr(0, i));
  return keys;
}

std::string OneCharacterFilter() { return "r"; }

std::string RareFilterText() { return "c123456"; }

std::string Lowered(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c - 'A' + 'a');
    } else if (c == 0xC3 && i + 1 < out.size()) {
      unsigned char d = static_cast<unsigned char>(out[i + 1]);
      if (d >= 0x80 && d <= 0x9E && d != 0x97) out[i + 1] = static_cast<char>(d + 0x20);
      ++i;
    }
  }
  return out;
}

std::u32string CodePoints(const std::string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += c;
      i += 1;
    } else {  // the generator writes only two-byte sequences
      out += static_cast<char32_t>(((c & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
      i += 2;
    }
  }
  return out;
}

}  // namespace bench
