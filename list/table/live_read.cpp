// Reading a stretch of a live table's present order: a key range, from a
// rank map's kept row, or by an offset from the nearer end.
#include "list/table/live_read.hpp"

#include <algorithm>

#include "list/table/table_error.hpp"
#include "platform/error.hpp"

namespace cbo::table {

std::vector<LiveRow> LiveRead::Rows(LiveDatabase& database) const {
  if (rows <= 0) return {};
  std::vector<LiveParameter> bound = parameters;
  std::vector<LiveRow> read;
  if (!sorted && dense) {
    // Key order over keys without gaps: the positions are a key range.
    bound.insert(bound.end(), {first + from, first + from + rows});
    read = database.Query(select + " WHERE " + order.key + " >= ? AND " + order.key + " < ?" + OrderBy(order, false),
                          bound);
  } else if (ranks) {
    // From the rank map's kept row before it: a few thousand rows passed
    // rather than every row from the nearer end.
    read = order.terms.size() > 1
               ? ranks->RowsWithTies(database, select, bound, from, rows, OrderFrom(order, 1), OrderBy(order, false))
               : ranks->Rows(database, select, bound, from, rows);
  } else if (from <= count - (from + rows)) {
    bound.insert(bound.end(), {int64_t{rows}, int64_t{from}});
    read = database.Query(select + OrderBy(order, false) + " LIMIT ? OFFSET ?", bound);
  } else {
    // Nearer the end: read back from it.
    bound.insert(bound.end(), {int64_t{rows}, int64_t{count - (from + rows)}});
    read = database.Query(select + OrderBy(order, true) + " LIMIT ? OFFSET ?", bound);
    std::reverse(read.begin(), read.end());
  }
  if (read.size() != static_cast<size_t>(rows))
    throw Error(ErrorKind::Database, "table " + Quoted(table) + " has fewer rows than the " + std::to_string(count) +
                                         " counted when the list attached");
  for (const LiveRow& row : read)
    if (row.size() != width) throw Error(ErrorKind::Database, "a row was read with too few values");
  return read;
}

}  // namespace cbo::table
