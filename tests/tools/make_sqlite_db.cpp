// make_sqlite_db FILE SQL: makes the SQLite database FILE anew from the
// statements of the text file SQL (the scenario tests' database).
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_sqlite_db FILE SQL\n";
    return 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    std::cerr << "make_sqlite_db: cannot read " << argv[2] << '\n';
    return 1;
  }
  std::ostringstream sql;
  sql << in.rdbuf();
  std::remove(argv[1]);
  sqlite3* db = nullptr;
  char* message = nullptr;
  const bool made = sqlite3_open(argv[1], &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql.str().c_str(), nullptr, nullptr, &message) == SQLITE_OK;
  if (!made) std::cerr << "make_sqlite_db: " << argv[1] << ": " << (message ? message : sqlite3_errmsg(db)) << '\n';
  sqlite3_free(message);
  sqlite3_close(db);
  return made ? 0 : 1;
}
