#pragma once
// The rows every benchmark works on, generated from a fixed seed so that two
// runs and both sides of a comparison see the same table: a display column of
// two or three words with accented letters (about 20 bytes), a code, a town
// and a price, and the texts a user types into it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bench {

constexpr int kColumns = 4;
extern const char* const kFieldNames[kColumns];  // the display column first

using Row = std::array<std::string, kColumns>;

struct Rows {
  std::vector<Row> rows;
  size_t rawBytes = 0;  // the UTF-8 bytes of every value
};

Rows MakeRows(size_t n);

// Texts that begin some display value among the first n rows: a row chosen at random, its
// first 1 to 3 or 5 to 8 characters (alternating), as the row spells them.
std::vector<std::string> MakePrefixes(const Rows& rows, size_t n, size_t count);

// The generated rows of the largest size asked for; smaller sizes use the
// first n of them.
const Rows& SharedRows();

// The first n generated rows one at a time, in order, with their index: the
// shared rows when the run holds them, else made anew and never held (the
// --huge run's tables outgrow the memory).
void ForEachRow(size_t n, const std::function<void(size_t, const Row&)>& take);

// MakePrefixes' texts for the first n generated rows, also when the run
// holds no rows.
std::vector<std::string> PrefixesOfFirst(size_t n, size_t count);

// A text that begins no display value.
std::string NoMatchText();

// The texts of the drop-down's filter line as a user types "rossi m" one key
// at a time ("r", "ro", ... "rossi m"): the generated syllables "rò" and "ssi"
// make "Ròssi", which the filter finds from "rossi".
std::vector<std::string> FilterKeys();
// A filter of one character typed into an empty filter line: the most rows
// match it, so it is the longest count.
std::string OneCharacterFilter();

// A filter text a few rows hold: a code, one row in 900,000 (the filter
// finds it in any column).
std::string RareFilterText();

// The text lowered as the plain scan compares it (ASCII and the accented
// capitals the generator writes).
std::string Lowered(const std::string& text);

// The code points of a UTF-8 text, as a user types them one by one.
std::u32string CodePoints(const std::string& text);

}  // namespace bench
