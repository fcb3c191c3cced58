#pragma once
// Runs SQL on a test's own database; a failure stops the test with SQLite's
// message.
#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace cbo::test {

inline void Exec(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message ? message : "?";
    sqlite3_free(message);
    throw std::runtime_error("test database: " + text);
  }
}

}  // namespace cbo::test
