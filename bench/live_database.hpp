#pragma once
// The SQLite file of the live list figures: the first n generated rows in a
// table `live` (id INTEGER PRIMARY KEY and the four columns) with an index
// on each column's folded text, made once per size (untimed); one size at a
// time on disk.
#include <string>

namespace bench {

const std::string& LiveFileOf(size_t n);

}  // namespace bench
