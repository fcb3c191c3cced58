// The checks of a live SQLite table, read from SQLite's schema tables and
// query plans.
#include "sqlite/live_checks.hpp"

#include <algorithm>
#include <cctype>

#include "platform/error.hpp"
#include "sqlite/messages.hpp"

namespace cbo::sqlite {

namespace {

[[noreturn]] void Refuse(const std::string& where, const std::string& what) {
  throw Error(ErrorKind::Database, where + ": " + what);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

struct Column {
  std::string name, type;
  int pk = 0;
};

// The columns of the table or view, by name as SQLite compares names.
struct Columns {
  std::vector<Column> all;
  bool view = false;

  const Column* Find(const std::string& name) const {
    for (const Column& c : all)
      if (Upper(c.name) == Upper(name)) return &c;
    return nullptr;
  }
};

Columns ReadColumns(LiveDatabase& db, const std::string& where, const std::string& table) {
  Columns columns;
  const std::vector<LiveParameter> named{table};
  const std::vector<LiveRow> kind =
      db.Query("SELECT type FROM sqlite_schema WHERE type IN ('table', 'view') AND name = ? COLLATE NOCASE", named);
  if (kind.empty()) Refuse(where, "there is no table or view " + Quoted(table));
  columns.view = kind[0][0] == "view";
  for (const LiveRow& row : db.Query("SELECT name, type, pk FROM pragma_table_info(?)", named))
    columns.all.push_back({row[0].value_or(""), row[1].value_or(""), row[2] ? std::stoi(*row[2]) : 0});
  return columns;
}

void CheckFields(const std::string& where, const std::string& table, const Columns& columns,
                 const std::vector<std::string>& fields) {
  if (fields.empty()) Refuse(where, "table " + Quoted(table) + ": no fields were given to show");
  for (size_t i = 0; i < fields.size(); ++i) {
    if (!columns.Find(fields[i])) Refuse(where, "table " + Quoted(table) + " has no column " + Quoted(fields[i]));
    for (size_t j = 0; j < i; ++j)
      if (Upper(fields[j]) == Upper(fields[i])) Refuse(where, "the field " + Quoted(fields[i]) + " is given twice");
  }
}

// The key is a whole number for every row, and unique: the INTEGER PRIMARY
// KEY (the rowid), or a column of its own unique index.
void CheckKey(LiveDatabase& db, const std::string& where, const std::string& table, const Columns& columns,
              const std::string& key) {
  const Column* column = columns.Find(key);
  if (!column) Refuse(where, "table " + Quoted(table) + " has no column " + Quoted(key) + " for the key");
  const std::string what = "the key column " + Quoted(key) + " of " + Quoted(table);
  if (column->type.empty()) {
    const std::vector<LiveRow> kinds = db.Query(
        "SELECT DISTINCT typeof(" + QuoteIdentifier(key) + ") FROM " + QuoteIdentifier(table) + " LIMIT 2", {});
    for (const LiveRow& kind : kinds)
      if (kind[0] != "integer") Refuse(where, what + " holds " + kind[0].value_or("") + " values, not whole numbers");
  } else if (Upper(column->type).find("INT") == std::string::npos) {
    Refuse(where, what + " is of type " + column->type + ", not an integer column");
  }
  if (columns.view) return;  // a view's rows are its table's: it has no indexes of its own
  const bool rowid =
      column->pk == 1 && Upper(column->type) == "INTEGER" &&
      std::count_if(columns.all.begin(), columns.all.end(), [](const Column& c) { return c.pk > 0; }) == 1;
  if (rowid) return;
  const std::vector<LiveParameter> named{table, key};
  const std::vector<LiveRow> unique = db.Query(
      "SELECT il.name FROM pragma_index_list(?1) AS il WHERE il.\"unique\" = 1 AND "
      "(SELECT count(*) FROM pragma_index_info(il.name)) = 1 AND "
      "(SELECT name FROM pragma_index_info(il.name)) = ?2 COLLATE NOCASE",
      named);
  if (unique.empty())
    Refuse(where, what + " is not unique: make it the INTEGER PRIMARY KEY, or CREATE UNIQUE INDEX ON " +
                      QuoteIdentifier(table) + "(" + QuoteIdentifier(key) + ")");
}

}  // namespace

void CheckLiveTable(LiveDatabase& db, const std::string& where, const std::string& table, const std::string& key,
                    const std::vector<std::string>& fields) {
  const Columns columns = ReadColumns(db, where, table);
  CheckFields(where, table, columns, fields);
  CheckKey(db, where, table, columns, key);
}

// A field is sorted, and found by its beginning, through an index on its
// folded text and the key; without one SQLite's plan sorts the whole table.
std::vector<std::string> MissingIndexes(LiveDatabase& db, const std::string& table, const std::string& key,
                                        const std::vector<std::string>& fields) {
  std::vector<std::string> missing;
  for (const std::string& field : fields) {
    const std::vector<LiveRow> plan = db.Query(
        "EXPLAIN QUERY PLAN SELECT " + QuoteIdentifier(key) + " FROM " + QuoteIdentifier(table) + " ORDER BY " +
            db.Folded(QuoteIdentifier(field)) + " ASC NULLS FIRST, " + QuoteIdentifier(key) + " ASC LIMIT 1",
        {});
    const bool sorts = std::any_of(plan.begin(), plan.end(), [](const LiveRow& step) {
      return step.size() >= 4 && step[3] && step[3]->find("TEMP B-TREE") != std::string::npos;
    });
    if (sorts)
      missing.push_back("CREATE INDEX " + QuoteIdentifier(table + "_" + field + "_fold") + " ON " +
                        QuoteIdentifier(table) + "(cbo_fold(" + QuoteIdentifier(field) + "), " + QuoteIdentifier(key) +
                        ");");
  }
  return missing;
}

}  // namespace cbo::sqlite
