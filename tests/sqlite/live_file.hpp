#pragma once
// A live table's file for the tests: table t (id INTEGER PRIMARY KEY, a, b)
// holding the rows, with the indexes of docs/database.md.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "sqlite/live_sqlite.hpp"
#include "tests/sqlite/test_database.hpp"
#include "tests/support/live_reference.hpp"

namespace cbo::test {

// Writes the rows to table t (id INTEGER PRIMARY KEY, a, b) with the indexes
// of docs/database.md, made on a connection that has cbo_fold.
inline void WriteTable(const std::string& file, const std::vector<TestRow>& rows, bool indexes = true) {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  RegisterFolding(db);
  Exec(db, "CREATE TABLE t (id INTEGER PRIMARY KEY, a TEXT, b TEXT)");
  Exec(db, "BEGIN");
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?, ?, ?)", -1, &insert, nullptr);
  for (const TestRow& row : rows) {
    sqlite3_bind_int64(insert, 1, row.id);
    int at = 2;
    for (const auto& value : {row.a, row.b}) {
      if (value)
        sqlite3_bind_text(insert, at, value->data(), static_cast<int>(value->size()), SQLITE_TRANSIENT);
      else
        sqlite3_bind_null(insert, at);
      ++at;
    }
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  Exec(db, "COMMIT");
  if (indexes) {
    Exec(db, "CREATE INDEX t_a_fold ON t(cbo_fold(a), id)");
    Exec(db, "CREATE INDEX t_b_fold ON t(cbo_fold(b), id)");
  }
  sqlite3_close(db);
}

}  // namespace cbo::test
