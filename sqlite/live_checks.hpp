#pragma once
// What a live SQLite table is checked for before it becomes a list: its
// table or view, its columns and its key, then the indexes its finds and
// sorts need, looked for in SQLite's own query plans. The checks only read,
// through any connection that has cbo_fold registered (the C library's own,
// or Qt's QSQLITE).
#include <string>
#include <vector>

#include "list/table/live_database.hpp"

namespace cbo::sqlite {

// The table or view exists, the fields are its columns (named once each),
// and the key is a column of whole numbers, unique. A Database error naming
// what is wrong otherwise, its message beginning with `where` (how the
// caller names the database: `database "file"`).
void CheckLiveTable(LiveDatabase& db, const std::string& where, const std::string& table, const std::string& key,
                    const std::vector<std::string>& fields);

// The CREATE INDEX statements of the indexes on the fields' folded text
// that the table lacks, one per field in order.
std::vector<std::string> MissingIndexes(LiveDatabase& db, const std::string& table, const std::string& key,
                                        const std::vector<std::string>& fields);

}  // namespace cbo::sqlite
