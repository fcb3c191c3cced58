#pragma once
// How many rows of a live table sort before a value of one field, answered
// without counting the whole table. A rank map keeps every S-th row of the
// field's order (its folded text, Null first, then the key) with its place;
// the rows before a value are the place of the last kept row below it plus
// a count of at most S rows after that one, which the field's index reads
// as one short range. The maps are made in idle time, S rows a statement
// (an index skips them: nothing is sent but the row S places further on),
// and a table counted once stays as it was, so a map made stays true.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "list/table/live_database.hpp"
#include "list/table/live_sql.hpp"

namespace cbo::table {

class LiveRanks {
public:
  // The map of the SQL `term` (a field's folded text), or of the key's
  // order alone when `term` is empty; `key` is the quoted key column, `from`
  // " FROM <table>", `spacing` the rows between two kept rows.
  LiveRanks(std::string term, std::string key, std::string from, int32_t spacing);

  bool Complete() const { return complete_; }

  // Makes the map a statement further; returns whether it is complete.
  bool Step(LiveDatabase& database);

  // The rows whose term sorts before `value` (folded as the term is; never
  // Null, as nothing sorts before Null), or, for the key's map, whose key is
  // below `key`. Nothing while the map does not reach that far yet.
  std::optional<int32_t> Below(LiveDatabase& database, const std::string& value) const;
  std::optional<int32_t> Below(LiveDatabase& database, int64_t key) const;

  // The rows to pass from the kept row at or before `position` to reach it
  // (fewer than the spacing); nothing when the map does not reach that far
  // yet or the position is among the Nulls before its first kept row.
  std::optional<int32_t> PassedBefore(int32_t position) const;
  // The rows of positions [position, position + rows) of the map's order,
  // read by `select` ("SELECT <values> FROM <table>", its ? bound to
  // `parameters`) from the kept row before them; PassedBefore must have
  // said how.
  std::vector<LiveRow> Rows(LiveDatabase& database, const std::string& select,
                            const std::vector<LiveParameter>& parameters, int32_t position, int32_t rows) const;
  // The same in an order whose first term is the map's and whose ties are
  // ordered by more terms: `tiesOrder` orders the rows equal in the first
  // term ("ORDER BY" the others, then the key), `order` is the whole one.
  // The rows equal to the kept row's value are read by an offset within
  // them, as long as the run of that value.
  std::vector<LiveRow> RowsWithTies(LiveDatabase& database, const std::string& select,
                                    const std::vector<LiveParameter>& parameters, int32_t position, int32_t rows,
                                    const std::string& tiesOrder, const std::string& order) const;

  // The bytes the map keeps.
  size_t Bytes() const;

private:
  struct Kept {
    std::string value;  // the term's folded text (empty for the key's map)
    int64_t key;
    int32_t place;  // its place in the order
  };
  // The first kept row past `position`: the one before it is the kept row
  // at or before the position.
  std::vector<Kept>::const_iterator KeptAfter(int32_t position) const;
  std::optional<int32_t> BelowKept(LiveDatabase& database, const Kept& kept, const std::string& value) const;
  std::optional<int32_t> BelowKept(LiveDatabase& database, const Kept& kept, int64_t key) const;
  // The `rows` rows `passed` places into the `run` of rows equal to
  // `value` (a condition, read in `runOrder`), going on past the run in
  // `order`.
  std::vector<LiveRow> FromRun(LiveDatabase& database, const std::string& select,
                               const std::vector<LiveParameter>& parameters, const SqlPart& run,
                               const std::string& runOrder, const std::string& value, const std::string& order,
                               int32_t passed, int32_t rows) const;
  // The `rows` rows `passed` places after the kept row (itself at 0).
  std::vector<LiveRow> After(LiveDatabase& database, const std::string& select,
                             const std::vector<LiveParameter>& parameters, const Kept& kept, int32_t passed,
                             int32_t rows) const;

  std::string term_;
  std::string key_;
  std::string from_;
  int32_t spacing_;
  std::vector<Kept> kept_;
  bool started_ = false;
  bool complete_ = false;
};

}  // namespace cbo::table
