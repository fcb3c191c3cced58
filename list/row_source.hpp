#pragma once
// A source of rows for a bulk fill of the list (CboVarno::AddRows): the names
// of its columns, then its rows one at a time, each value Null or the text the
// table stores for it (numbers, truth values and dates as their text).
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cbo {

// One value of a row. The text stays valid until the source's next call.
struct Cell {
  bool null = false;
  std::string_view text;
};

class RowSource {
public:
  virtual ~RowSource() = default;
  // The names of the source's columns, in order. Asked once, before any row.
  virtual std::vector<std::string> Columns() = 0;
  // Reads the next row into `cells` (one per column, in the order of
  // Columns()); false when there are no more rows. A value the source cannot
  // turn into text (a blob), or a failing source, is a cbo::Error that names
  // the row and the column.
  virtual bool Next(std::span<Cell> cells) = 0;
};

// Told the number of rows read so far, at most every 50 ms during a long
// fill; returning false cancels the fill, which then leaves the list as it was.
using FillProgress = std::function<bool(int64_t rows)>;

}  // namespace cbo
