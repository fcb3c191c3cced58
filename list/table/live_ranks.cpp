// A live table's rank maps: every S-th row of a field's order kept with its
// place, made a statement at a time, and the counts of the few rows between
// a kept row and a value.
#include "list/table/live_ranks.hpp"

#include <algorithm>
#include <charconv>
#include <climits>

#include "list/table/live_sql.hpp"
#include "platform/error.hpp"

namespace cbo::table {

namespace {

int32_t Number(const std::vector<LiveRow>& rows) {
  int64_t number = -1;
  if (rows.size() == 1 && !rows[0].empty() && rows[0][0]) {
    const std::string& text = *rows[0][0];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) number = -1;
  }
  if (number < 0 || number > INT32_MAX) throw Error(ErrorKind::Database, "counting the rows gave no number");
  return static_cast<int32_t>(number);
}

}  // namespace

LiveRanks::LiveRanks(std::string term, std::string key, std::string from, int32_t spacing)
    : term_(std::move(term)), key_(std::move(key)), from_(std::move(from)), spacing_(std::max(spacing, 1)) {}

bool LiveRanks::Step(LiveDatabase& database) {
  if (complete_) return true;
  const std::string order =
      term_.empty() ? " ORDER BY " + key_ + " ASC" : " ORDER BY " + term_ + " ASC NULLS FIRST, " + key_ + " ASC";
  const std::string select = "SELECT " + (term_.empty() ? "" : term_ + ", ") + key_ + from_;
  std::vector<LiveRow> rows;
  int32_t place = 0;
  if (!started_) {
    // The first row that is not Null: the Nulls before it are only counted.
    if (!term_.empty()) place = Number(database.Query("SELECT count(*)" + from_ + " WHERE " + term_ + " IS NULL", {}));
    rows = database.Query(select + (term_.empty() ? "" : " WHERE " + term_ + " IS NOT NULL") + order + " LIMIT 1", {});
    started_ = true;
  } else {
    // The row `spacing_` places after the last one kept: the index passes
    // over the rows between without sending them.
    const Kept& last = kept_.back();
    std::vector<LiveParameter> bound;
    std::string after;
    if (term_.empty()) {
      after = key_ + " > ?";
    } else {
      // Not the row value (term, key) > (?, ?): SQLite reads that from the
      // index's start. This reads from the kept value, passing only the
      // rows equal to it and not after it.
      after = term_ + " >= ? AND (" + term_ + " > ? OR " + key_ + " > ?)";
      bound.emplace_back(last.value);
      bound.emplace_back(last.value);
    }
    bound.emplace_back(last.key);
    bound.emplace_back(int64_t{spacing_ - 1});
    rows = database.Query(select + " WHERE " + after + order + " LIMIT 1 OFFSET ?", bound);
    place = last.place + spacing_;
  }
  if (rows.empty()) {
    complete_ = true;
    return true;
  }
  const LiveRow& row = rows[0];
  const size_t keyAt = row.size() - 1;
  if (!term_.empty() && (row.size() != 2 || !row[0]))
    throw Error(ErrorKind::Database, "a rank map's row was read without its value");
  kept_.push_back({term_.empty() ? std::string() : *row[0], KeyOf(row, keyAt), place});
  return false;
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
  return kept.place + Number(counted);
}

std::optional<int32_t> LiveRanks::BelowKept(LiveDatabase& database, const Kept& kept, int64_t key) const {
  const std::vector<LiveParameter> bound{kept.key, key};
  return kept.place +
         Number(database.Query("SELECT count(*)" + from_ + " WHERE " + key_ + " >= ? AND " + key_ + " < ?", bound));
}

size_t LiveRanks::Bytes() const {
  size_t bytes = kept_.capacity() * sizeof(Kept);
  for (const Kept& kept : kept_) bytes += kept.value.capacity() > 15 ? kept.value.capacity() : 0;
  return bytes;
}

}  // namespace cbo::table
