#pragma once
// The filter's text index of a live SQLite table: an FTS5 table of the
// trigram tokenizer named after the table ("<table>_cbo_filter"), one column
// a field, holding each row's texts in the filter's form (cbo_filter_fold)
// under the row's key, kept by triggers on the table (the statements that
// make it: FilterIndexStatements, sqlite/live_sqlite.hpp). The filter looks a
// text up in it and reads only the rows it gives, which it then matches
// itself: a text few rows hold is found at once, however long the table.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "list/table/live_database.hpp"

namespace cbo::sqlite {

struct FilterIndex {
  std::string name;                  // the FTS5 table
  std::vector<std::string> columns;  // the fields it holds
};

// The index table's name for a table.
std::string FilterIndexName(const std::string& table);

// The table's filter index, when the database has one (an FTS5 table of
// that name; its columns are the fields it holds).
std::optional<FilterIndex> FindFilterIndex(LiveDatabase& db, const std::string& table);

// The select of the keys of the rows whose text in one of `columns` may
// hold `folded`; nothing when the index does not hold every one of the
// columns, or the text cannot be looked up (fewer than three characters,
// bytes that are not UTF-8).
std::optional<LiveSelect> KeysThatMayMatch(const FilterIndex& index, std::span<const std::string> columns,
                                           const std::string& folded);

}  // namespace cbo::sqlite
