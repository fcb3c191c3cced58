// The fill from a SQLite database: the file opened read-only, the query read
// to its end, the file closed, then the rows appended to the list.
#include <sqlite3.h>

#include <memory>

#include "fill/buffered_fill.hpp"
#include "platform/error.hpp"
#include "sqlite/messages.hpp"
#include "sqlite/sqlite_fill.hpp"

#include "control/cbo_varno.hpp"

namespace cbo {

namespace {

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)>;

// Read-only and never created: a mistyped name is an error, not a new empty
// file, and a fill cannot change the data it shows. The connection is used by
// this thread alone, so SQLite need not lock it for each value read.
Connection OpenReadOnly(const std::string& file) {
  if (file.empty()) throw Error(ErrorKind::Database, "database \"\": no file name was given");
  sqlite::RequireNoNul(file, "database");
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  Connection db(raw, &sqlite3_close_v2);
  if (rc != SQLITE_OK)
    throw Error(ErrorKind::Database,
                "database " + sqlite::Quoted(file) + ": " + (db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc)));
  return db;
}

}  // namespace

bool FillFromSqlite(CboVarno& control, const std::string& file, const std::string& query,
                    std::span<const Variant> parameters, const FillProgress& progress) {
  const FillProgress paced = Paced(progress);
  std::optional<RowBuffer> rows;
  {
    Connection db = OpenReadOnly(file);
    rows = ReadSqlite(db.get(), query, parameters, paced);
  }
  return rows && FillFromBuffer(control, *rows, paced);
}

bool FillFromSqlite(CboVarno& control, sqlite3* database, const std::string& query, std::span<const Variant> parameters,
                    const FillProgress& progress) {
  const FillProgress paced = Paced(progress);
  std::optional<RowBuffer> rows = ReadSqlite(database, query, parameters, paced);
  return rows && FillFromBuffer(control, *rows, paced);
}

}  // namespace cbo
