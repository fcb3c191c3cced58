#pragma once
// Lists that stay in a SQLite database: a table (or view) of a file opened
// read-only becomes the control's list, and the list reads only the rows it
// shows (list/table/live_recordset.hpp). The connection folds letter case as
// the list does with its own function cbo_fold(text); the indexes a large
// table needs are made on that function (docs/database.md), by any
// connection that has it registered (RegisterFolding).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace cbo {

class CboVarno;
class LiveRecordset;

// Registers cbo_fold(text) on a connection: the text as the list compares it
// (Unicode simple case folding), numbers as the list shows them, Null as
// Null; and cbo_filter_fold(text), the text as the drop-down's filter
// compares it. A writer registers them to make the indexes of
// docs/database.md and to change a table that has them. Database error when
// SQLite refuses.
void RegisterFolding(sqlite3* database);

// The statements that give a table the filter's text index over the fields
// (docs/database.md, "The filter's text index"): an FTS5 table named
// "<table>_cbo_filter", its first fill, and the triggers that keep it as
// the table changes. Run them on a connection with RegisterFolding; every
// later writer of the table needs it too. A live table of these fields then
// finds a filter text of three or more characters through the index.
std::vector<std::string> FilterIndexStatements(const std::string& table, const std::string& key,
                                               const std::vector<std::string>& fields);

// Opens the table of the database file read-only as a live table: `key` is
// its integer key column (unique: the INTEGER PRIMARY KEY or a column with a
// unique index), `fields` the columns shown, in order. A file, table or
// column that cannot be used is a Database error that names it, and so is a
// table of 100,000 rows or more without the indexes its finds and sorts need
// (the error gives the CREATE INDEX statements); a smaller one opens and
// lists them in MissingIndexes. Statements that run longer than
// `timeLimitMs` are stopped with a Database error.
struct LiveSqlite {
  std::shared_ptr<LiveRecordset> table;
  std::vector<std::string> missingIndexes;  // CREATE INDEX statements
};
LiveSqlite OpenLiveSqlite(const std::string& file, const std::string& table, const std::string& key,
                          const std::vector<std::string>& fields, int32_t timeLimitMs = 2000);

// Attaches such a table to the control as its list (CboVarno::AttachTable).
// When the control has columns, the fields must be its fields (letter case
// ignored) and are read in the columns' order. Fails as OpenLiveSqlite and
// AttachTable do, leaving the control as it was.
LiveSqlite AttachSqlite(CboVarno& control, const std::string& file, const std::string& table, const std::string& key,
                        const std::vector<std::string>& fields, int32_t timeLimitMs = 2000);

}  // namespace cbo
