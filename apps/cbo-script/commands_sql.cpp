// sql C "FILE" "QUERY": fills C from a SQLite database file.
// live C "FILE" "TABLE" "KEY" "FIELD,FIELD": attaches a table of one as C's list.
#include "host.hpp"
#include "script_error.hpp"
#include "sqlite/live_sqlite.hpp"
#include "sqlite/sqlite_fill.hpp"

namespace cbo::script {

namespace {

// "A, B,C" -> A B C: the names between the commas, without the blanks around them.
std::vector<std::string> FieldList(const std::string& text) {
  std::vector<std::string> fields;
  size_t from = 0;
  for (;;) {
    const size_t comma = text.find(',', from);
    std::string field = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
    const size_t first = field.find_first_not_of(' ');
    field = first == std::string::npos ? std::string() : field.substr(first, field.find_last_not_of(' ') - first + 1);
    fields.push_back(field);
    if (comma == std::string::npos) return fields;
    from = comma + 1;
  }
}

}  // namespace

void Host::Sql(const Args& a) {
  if (a.size() != 4 || a[2].kind != Token::String || a[3].kind != Token::String)
    Mistake("usage: sql C \"FILE\" \"QUERY\"");
  Placed& c = ControlOf(a[1]);
  Guarded(c.name + ".sql", [&] { FillFromSqlite(*c.control, a[2].text, a[3].text); });
}

void Host::Live(const Args& a) {
  if (a.size() != 6 || a[2].kind != Token::String || a[3].kind != Token::String || a[4].kind != Token::String ||
      a[5].kind != Token::String)
    Mistake("usage: live C \"FILE\" \"TABLE\" \"KEY\" \"FIELD,FIELD\"");
  Placed& c = ControlOf(a[1]);
  Guarded(c.name + ".live", [&] { AttachSqlite(*c.control, a[2].text, a[3].text, a[4].text, FieldList(a[5].text)); });
}

}  // namespace cbo::script
