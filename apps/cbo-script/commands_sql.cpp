// sql C "FILE" "QUERY": fills C from a SQLite database file.
#include "host.hpp"
#include "script_error.hpp"
#include "sqlite/sqlite_fill.hpp"

namespace cbo::script {

void Host::Sql(const Args& a) {
  if (a.size() != 4 || a[2].kind != Token::String || a[3].kind != Token::String)
    Mistake("usage: sql C \"FILE\" \"QUERY\"");
  Placed& c = ControlOf(a[1]);
  Guarded(c.name + ".sql", [&] { FillFromSqlite(*c.control, a[2].text, a[3].text); });
}

}  // namespace cbo::script
