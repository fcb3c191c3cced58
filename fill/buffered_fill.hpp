#pragma once
// The two steps every database fill takes: read the query to its end into a
// RowBuffer, telling the host how far it got, then append the buffered rows to
// the control in one bulk fill.
#include <chrono>
#include <cstdint>

#include "control/cbo_varno.hpp"
#include "fill/row_buffer.hpp"
#include "list/row_source.hpp"

namespace cbo {

// Tells the host's progress callback how many rows were read: once before the
// first row, then at most every 50 ms. Looking at the clock costs little, and
// it is looked at only every 256 rows.
class ReadProgress {
public:
  explicit ReadProgress(const FillProgress& progress) : progress_(progress) {}
  // Both return false when the host cancelled.
  bool Start();
  bool RowsRead(int64_t rows) {
    if (!progress_ || (rows & 255) != 0) return true;
    return Tell(rows, false);
  }

private:
  bool Tell(int64_t rows, bool always);

  const FillProgress& progress_;
  std::chrono::steady_clock::time_point last_;
};

// The host's progress callback told at most every 50 ms (its first call
// always), however many steps of one fill call it: reading the query and
// appending its rows each look at the clock on their own, and the append's
// first look would otherwise follow the read's last one at once. A call that
// comes too soon is not passed on and cancels nothing.
FillProgress Paced(const FillProgress& progress);

// A list without columns makes one from each result column, named after it;
// a name the list cannot take (empty, or with a blank, a control character,
// a comma, a parenthesis, a bracket or a quote: a column of an expression
// such as count(*), or one named "bad name") is refused with a Database
// error that names the column and says to give it a plain name with AS.
void RequirePlainColumnNames(const std::vector<std::string>& names);

// Appends every buffered row to the control (CboVarno::AddRows). A list
// without columns first has its column names checked (RequirePlainColumnNames). While they
// go in, `progress` keeps being told the number of rows read, so the count
// the host sees never goes back, and can still cancel. Returns false when it
// did.
bool FillFromBuffer(CboVarno& control, RowBuffer& rows, const FillProgress& progress);

}  // namespace cbo
