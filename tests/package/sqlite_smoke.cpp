// A host of the control's SQLite fill built against the installed package
// (TorbCbo::Sqlite with CMake, torb_cbo_sqlite with pkg-config): a database
// made with SQLite's own library, a list filled from a query with a bound
// parameter, and a query that fails leaving it as it was.
//   sqlite-smoke FILE   (FILE is made anew)
#include <sqlite3.h>

#include <cstdio>
#include <torb_cbo/control/cbo_varno.hpp>
#include <torb_cbo/platform/error.hpp>
#include <torb_cbo/platform/headless/headless.hpp>
#include <torb_cbo/sqlite/sqlite_fill.hpp>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::remove(argv[1]);
  sqlite3* db = nullptr;
  if (sqlite3_open(argv[1], &db) != SQLITE_OK ||
      sqlite3_exec(db,
                   "CREATE TABLE towns (name TEXT, province TEXT, people INTEGER);"
                   "INSERT INTO towns VALUES ('Forlì', 'FC', 117000), ('Cesena', 'FC', NULL), ('Como', 'CO', 83000)",
                   nullptr, nullptr, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "sqlite-smoke: %s\n", sqlite3_errmsg(db));
    return 1;
  }
  sqlite3_close(db);

  cbo::headless::HeadlessPlatform platform;
  cbo::ProcessState shared(platform);
  cbo::headless::HeadlessContainer container(platform);
  cbo::CboVarno control(container, shared);
  control.InitProperties();
  control.SetStileCbo(cbo::ListCombo);
  const cbo::Variant province[] = {cbo::Variant("FC")};
  cbo::FillFromSqlite(control, argv[1], "SELECT name, people FROM towns WHERE province = ? ORDER BY name", province);
  if (control.Record_Count() != 2 || control.Text() != "Cesena") {
    std::fprintf(stderr, "sqlite-smoke: %d rows, text %s\n", control.Record_Count(), control.Text().c_str());
    return 1;
  }
  try {
    cbo::FillFromSqlite(control, argv[1], "SELECT name FROM nowhere");
    std::fprintf(stderr, "sqlite-smoke: a failing query raised nothing\n");
    return 1;
  } catch (const cbo::Error& e) {
    if (e.kind() != cbo::ErrorKind::Database || control.Record_Count() != 2) {
      std::fprintf(stderr, "sqlite-smoke: %s, %d rows left\n", e.what(), control.Record_Count());
      return 1;
    }
  }
  std::printf("sqlite-smoke: ok\n");
  return 0;
}
