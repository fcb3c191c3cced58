#pragma once
// The SQLite file the database fills read: the generated rows of the largest
// size in a table `righe` with the four columns of the list, made once in a
// temporary folder (untimed) and removed when the program ends.
#include <string>

namespace bench {

const std::string& DatabaseFile();

// The query of the first n rows, as both sides run it.
std::string RowsQuery(size_t n);

}  // namespace bench
