// A live table's rank maps: every S-th row of a field's order kept with its
// place, made a statement at a time, and the counts of the few rows between
// a kept row and a value.
#include "list/table/live_ranks.hpp"

#include <algorithm>

#include "list/table/live_sql.hpp"
#include "platform/error.hpp"

namespace cbo::table {

LiveRanks::LiveRanks(std::string term, std::string key, std::string from, int32_t spacing)
    : term_(std::move(term)), key_(std::move(key)), from_(std::move(from)), spacing_(std::max(spacing, 1)) {}

bool LiveRanks::Step(LiveDatabase& database) {
  if (complete_) return true;
  const std::string select = "SELECT " + (term_.empty() ? "" : term_ + ", ") + key_ + from_;
  std::vector<LiveRow> rows;
  int32_t place = 0;
  if (!started_) {
    // The first row that is not Null: the Nulls before it are only counted.
    std::string first = select + " ORDER BY " + key_ + " ASC LIMIT 1";
    if (!term_.empty()) {
      place = CountRead(database.Query("SELECT count(*)" + from_ + " WHERE " + term_ + " IS NULL", {}));
      first =
          select + " WHERE " + term_ + " IS NOT NULL ORDER BY " + term_ + " ASC NULLS FIRST, " + key_ + " ASC LIMIT 1";
    }
    rows = database.Query(first, {});
    started_ = true;
  } else {
    rows = After(database, select, {}, kept_.back(), spacing_, 1);
    place = kept_.back().place + spacing_;
  }
  if (rows.empty()) {
    complete_ = true;
    return true;
  }
  const LiveRow& row = rows[0];
  if (!term_.empty() && (row.size() != 2 || !row[0]))
    throw Error(ErrorKind::Database, "a rank map's row was read without its value");
  kept_.push_back({term_.empty() ? std::string() : *row[0], KeyOf(row, row.size() - 1), place});
  return false;
}

std::vector<LiveRow> LiveRanks::After(LiveDatabase& database, const std::string& select,
                                      const std::vector<LiveParameter>& parameters, const Kept& kept, int32_t passed,
                                      int32_t rows) const {
  std::vector<LiveParameter> bound = parameters;
  if (term_.empty()) {
    bound.insert(bound.end(), {kept.key, int64_t{rows}, int64_t{passed}});
    return database.Query(select + " WHERE " + key_ + " >= ? ORDER BY " + key_ + " ASC LIMIT ? OFFSET ?", bound);
  }
  // The run from the kept row's key on (a condition "value >= v AND (value
  // > v OR key >= k)" would pass every row equal to v before k as well, a
  // long stretch for a value many rows share).
  return FromRun(database, select, parameters, {term_ + " = ? AND " + key_ + " >= ?", {kept.value, kept.key}},
                 " ORDER BY " + key_ + " ASC", kept.value, " ORDER BY " + term_ + " ASC NULLS FIRST, " + key_ + " ASC",
                 passed, rows);
}

std::vector<LiveRow> LiveRanks::FromRun(LiveDatabase& database, const std::string& select,
                                        const std::vector<LiveParameter>& parameters, const SqlPart& run,
                                        const std::string& runOrder, const std::string& value, const std::string& order,
                                        int32_t passed, int32_t rows) const {
  // Each part one index range from its first row: the run, then the rows
  // beyond its value.
  std::vector<LiveParameter> bound = parameters;
  bound.insert(bound.end(), run.parameters.begin(), run.parameters.end());
  bound.insert(bound.end(), {int64_t{rows}, int64_t{passed}});
  std::vector<LiveRow> read = database.Query(select + " WHERE " + run.sql + runOrder + " LIMIT ? OFFSET ?", bound);
  if (read.size() == static_cast<size_t>(rows)) return read;
  // The run ended before the last row wanted: where, counted only when none
  // of it was read (then it is shorter than `passed`).
  const int32_t length =
      read.empty() ? CountRead(database.Query("SELECT count(*)" + from_ + " WHERE " + run.sql, run.parameters))
                   : passed + static_cast<int32_t>(read.size());
  bound = parameters;
  bound.insert(bound.end(),
               {value, int64_t{rows - static_cast<int32_t>(read.size())}, int64_t{std::max(0, passed - length)}});
  std::vector<LiveRow> beyond =
      database.Query(select + " WHERE " + term_ + " > ?" + order + " LIMIT ? OFFSET ?", bound);
  read.insert(read.end(), std::make_move_iterator(beyond.begin()), std::make_move_iterator(beyond.end()));
  return read;
}

std::optional<int32_t> LiveRanks::Below(LiveDatabase& database, const std::string& value) const {
  // The last kept row below the value; the rows from it to the value lie
  // before the next kept row, so they are fewer than the spacing.
  const auto next = std::lower_bound(kept_.begin(), kept_.end(), value,
                                     [](const Kept& kept, const std::string& v) { return kept.value < v; });
  if (next == kept_.end() && !complete_) return std::nullopt;
  if (next == kept_.begin()) {
    if (kept_.empty()) return std::nullopt;  // every row Null: nothing to say
    return kept_.front().place;              // only the Nulls are below
  }
  return BelowKept(database, *(next - 1), value);
}

std::optional<int32_t> LiveRanks::Below(LiveDatabase& database, int64_t key) const {
  const auto next =
      std::lower_bound(kept_.begin(), kept_.end(), key, [](const Kept& kept, int64_t k) { return kept.key < k; });
  if (next == kept_.end() && !complete_) return std::nullopt;
  if (next == kept_.begin()) return 0;
  return BelowKept(database, *(next - 1), key);
}

std::optional<int32_t> LiveRanks::BelowKept(LiveDatabase& database, const Kept& kept, const std::string& value) const {
  const std::vector<LiveParameter> bound{kept.value, kept.key, kept.value, value};
  const std::vector<LiveRow> counted =
      database.Query("SELECT (SELECT count(*)" + from_ + " WHERE " + term_ + " = ? AND " + key_ + " >= ?) + " +
                         "(SELECT count(*)" + from_ + " WHERE " + term_ + " > ? AND " + term_ + " < ?)",
                     bound);
  return kept.place + CountRead(counted);
}

std::optional<int32_t> LiveRanks::BelowKept(LiveDatabase& database, const Kept& kept, int64_t key) const {
  const std::vector<LiveParameter> bound{kept.key, key};
  return kept.place +
         CountRead(database.Query("SELECT count(*)" + from_ + " WHERE " + key_ + " >= ? AND " + key_ + " < ?", bound));
}

std::vector<LiveRanks::Kept>::const_iterator LiveRanks::KeptAfter(int32_t position) const {
  return std::upper_bound(kept_.begin(), kept_.end(), position,
                          [](int32_t p, const Kept& kept) { return p < kept.place; });
}

std::optional<int32_t> LiveRanks::PassedBefore(int32_t position) const {
  const auto after = KeptAfter(position);
  if (after == kept_.begin()) return std::nullopt;
  const int32_t passed = position - (after - 1)->place;
  if (after == kept_.end() && !complete_ && passed >= spacing_) return std::nullopt;
  return passed;
}

std::vector<LiveRow> LiveRanks::Rows(LiveDatabase& database, const std::string& select,
                                     const std::vector<LiveParameter>& parameters, int32_t position,
                                     int32_t rows) const {
  const Kept& kept = *(KeptAfter(position) - 1);
  return After(database, select, parameters, kept, position - kept.place, rows);
}

std::vector<LiveRow> LiveRanks::RowsWithTies(LiveDatabase& database, const std::string& select,
                                             const std::vector<LiveParameter>& parameters, int32_t position,
                                             int32_t rows, const std::string& tiesOrder,
                                             const std::string& order) const {
  const Kept& kept = *(KeptAfter(position) - 1);
  // The rows before the kept value's run are the same in either order.
  const std::optional<int32_t> runStart = Below(database, kept.value);
  if (!runStart) throw Error(ErrorKind::Database, "a rank map lost the place of a row it keeps");
  return FromRun(database, select, parameters, {term_ + " = ?", {kept.value}}, tiesOrder, kept.value, order,
                 position - *runStart, rows);
}

size_t LiveRanks::Bytes() const {
  size_t bytes = kept_.capacity() * sizeof(Kept);
  for (const Kept& kept : kept_) bytes += kept.value.capacity() > 15 ? kept.value.capacity() : 0;
  return bytes;
}

}  // namespace cbo::table
