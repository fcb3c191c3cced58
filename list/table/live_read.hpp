#pragma once
// A read of a live table's rows by their places in its present order, made
// of copies of all it needs (the order, the rows counted, the rank map that
// reaches the rows), so that it runs on any connection to the table, on any
// thread, while the table itself goes on.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "list/table/live_database.hpp"
#include "list/table/live_ranks.hpp"
#include "list/table/live_sql.hpp"

namespace cbo::table {

struct LiveRead {
  int32_t from = 0;                       // the first position read
  int32_t rows = 0;                       // how many, the table's end not passed
  std::string select;                     // "SELECT <values> FROM <table>"
  std::vector<LiveParameter> parameters;  // bound to the select list's ?s
  size_t width = 0;                       // the values a row read has
  LiveOrder order;
  bool sorted = false;  // a Sort's order, not key order
  // Keys without gaps from `first` on: in key order a page is a key range.
  bool dense = false;
  int64_t first = 0;
  int32_t count = 0;  // the rows the table counted
  // The rank map of the order's first term, when reading from its kept row
  // passes fewer rows than reading from the nearer end. A complete map no
  // longer changes and is shared; one still being made is copied.
  std::shared_ptr<const LiveRanks> ranks;
  std::string table;  // the table's name, for messages

  // The rows; a Database error when the database refuses, or has fewer
  // rows than were counted.
  std::vector<LiveRow> Rows(LiveDatabase& database) const;
};

}  // namespace cbo::table
