#include "bench/database.hpp"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "bench/data.hpp"

namespace bench {

namespace {

void Check(sqlite3* db, int rc, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE)
    throw std::runtime_error(std::string("bench database: ") + what + ": " + sqlite3_errmsg(db));
}

struct Database {
  Database() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cbo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("bench database: cannot make a temporary folder");
    dir = pattern;
    file = (dir / "righe.db").string();
    sqlite3* db = nullptr;
    Check(db, sqlite3_open(file.c_str(), &db), "open");
    std::string create = "CREATE TABLE righe (";
    std::string insert = "INSERT INTO righe VALUES (";
    for (int c = 0; c < kColumns; ++c) {
      create += std::string(c ? ", " : "") + kFieldNames[c] + " TEXT";
      insert += c ? ", ?" : "?";
    }
    Check(db, sqlite3_exec(db, (create + "); BEGIN").c_str(), nullptr, nullptr, nullptr), "create");
    sqlite3_stmt* st = nullptr;
    Check(db, sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &st, nullptr), "prepare");
    for (const auto& row : SharedRows().rows) {
      for (int c = 0; c < kColumns; ++c) {
        const std::string& v = row[static_cast<size_t>(c)];
        sqlite3_bind_text(st, c + 1, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
      }
      Check(db, sqlite3_step(st), "insert");
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "commit");
    sqlite3_close(db);
  }
  ~Database() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  std::filesystem::path dir;
  std::string file;
};

}  // namespace

const std::string& DatabaseFile() {
  static const Database database;
  return database.file;
}

std::string RowsQuery(size_t n) {
  std::string query = "SELECT ";
  for (int c = 0; c < kColumns; ++c) query += std::string(c ? ", " : "") + kFieldNames[c];
  return query + " FROM righe LIMIT " + std::to_string(n);
}

}  // namespace bench
