// What a live PostgreSQL table is checked for before it becomes a list: a
// server that can fold as the list does, the table or view (found on the
// search path as the list's statements find it), its columns and its key,
// then the indexes its finds and sorts need, looked for in the planner's own
// plans. Names reach the catalog queries only as bound values.
#include <algorithm>

#include "list/table/recordset.hpp"
#include "qt_sql/live_qpsql.hpp"

namespace cbo::qt_sql {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

struct Column {
  std::string name, type;  // the type's name, a domain's base type's
  int64_t number = 0;
  bool notNull = false;
};

struct Relation {
  char kind = 0;  // pg_class.relkind
  std::vector<Column> columns;

  bool HasIndexes() const { return kind == 'r' || kind == 'p' || kind == 'm'; }
  const Column* Find(const std::string& name) const {
    for (const Column& c : columns)
      if (c.name == name) return &c;
    return nullptr;
  }
};

void CheckServer(QtLiveDatabase& db) {
  const std::vector<LiveRow> server = db.Query(
      "SELECT current_setting('server_encoding'), (SELECT count(*) FROM pg_collation WHERE collname = 'und-x-icu')",
      {});
  const std::string encoding = server.at(0).at(0).value_or("");
  if (encoding != "UTF8")
    db.Fail("the database's encoding is " + encoding + ": a live list needs UTF8, the encoding it compares text in");
  if (server[0].at(1) == "0")
    db.Fail(
        "the server has no ICU collation \"und-x-icu\" (PostgreSQL built without ICU): a live list folds "
        "letter case with it");
}

Relation ReadRelation(QtLiveDatabase& db, const std::string& table) {
  const std::vector<LiveParameter> named{QuoteIdentifier(table)};
  const std::vector<LiveRow> kind =
      db.Query("SELECT CAST(relkind AS TEXT) FROM pg_class WHERE oid = to_regclass(?)", named);
  if (kind.empty() || !kind[0].at(0)) db.Fail("there is no table or view " + Quoted(table));
  Relation relation;
  relation.kind = kind[0][0]->empty() ? 0 : (*kind[0][0])[0];
  if (std::string("rpvmf").find(relation.kind) == std::string::npos) db.Fail(Quoted(table) + " is not a table or view");
  for (const LiveRow& row : db.Query("SELECT a.attname, coalesce(b.typname, t.typname), a.attnum, a.attnotnull "
                                     "FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
                                     "LEFT JOIN pg_type b ON t.typtype = 'd' AND b.oid = t.typbasetype "
                                     "WHERE a.attrelid = to_regclass(?) AND a.attnum > 0 AND NOT a.attisdropped "
                                     "ORDER BY a.attnum",
                                     named))
    relation.columns.push_back(
        {row.at(0).value_or(""), row.at(1).value_or(""), std::stoll(row.at(2).value_or("0")), row.at(3) == "True"});
  return relation;
}

// A name not found, and the column it may have been meant for: quoted
// names are exact, letter case included.
std::string NoColumn(const std::string& table, const Relation& relation, const std::string& name) {
  std::string message = "table " + Quoted(table) + " has no column " + Quoted(name);
  for (const Column& c : relation.columns)
    if (FoldCase(c.name) == FoldCase(name))
      message += " (there is " + Quoted(c.name) + ": PostgreSQL compares quoted names letter case included)";
  return message;
}

void CheckFields(QtLiveDatabase& db, const std::string& table, const Relation& relation,
                 const std::vector<std::string>& fields) {
  if (fields.empty()) db.Fail("table " + Quoted(table) + ": no fields were given to show");
  for (size_t i = 0; i < fields.size(); ++i) {
    // The list knows its fields by name with letter case ignored.
    for (size_t j = 0; j < i; ++j)
      if (FoldCase(fields[j]) == FoldCase(fields[i]))
        db.Fail("the field " + Quoted(fields[i]) + " is given twice (letter case ignored)");
    const Column* column = relation.Find(fields[i]);
    if (!column) db.Fail(NoColumn(table, relation, fields[i]));
    if (column->type == "bytea") db.Fail("column " + Quoted(fields[i]) + " is binary data, which a list cannot show");
  }
}

// The key is a whole number for every row, and unique: the primary key, or
// a NOT NULL column with a unique index of its own (not partial, not on an
// expression). A view's key is its table's, which it cannot show.
void CheckKey(QtLiveDatabase& db, const std::string& table, const Relation& relation, const std::string& key) {
  const Column* column = relation.Find(key);
  if (!column) db.Fail(NoColumn(table, relation, key) + " for the key");
  const std::string what = "the key column " + Quoted(key) + " of " + Quoted(table);
  if (column->type != "int2" && column->type != "int4" && column->type != "int8")
    db.Fail(what + " is of type " + column->type + ", not an integer column");
  if (!relation.HasIndexes()) return;
  const std::vector<LiveParameter> named{QuoteIdentifier(table), column->number};
  const std::vector<LiveRow> unique = db.Query(
      "SELECT count(*) FROM pg_index WHERE indrelid = to_regclass(?) AND indisunique AND indisvalid AND "
      "indnkeyatts = 1 AND indkey[0] = ? AND indpred IS NULL AND indexprs IS NULL",
      named);
  if (unique.at(0).at(0) == "0")
    db.Fail(what + " is not unique: make it the PRIMARY KEY, or CREATE UNIQUE INDEX ON " + QuoteIdentifier(table) +
            " (" + QuoteIdentifier(key) + ")");
  if (!column->notNull) db.Fail(what + " may be Null: declare it NOT NULL");
}

}  // namespace

void CheckQpsqlTable(QtLiveDatabase& db, const std::string& table, const std::string& key,
                     const std::vector<std::string>& fields) {
  CheckServer(db);
  const Relation relation = ReadRelation(db, table);
  CheckFields(db, table, relation, fields);
  CheckKey(db, table, relation, key);
}

// A field is sorted, and found by its beginning, through an index on its
// folded text (Null first) and the key. The planner is asked for the first
// row in that order with sorting discouraged: a plan that sorts all the
// same has no index to read instead.
std::vector<std::string> MissingQpsqlIndexes(QtLiveDatabase& db, const std::string& table, const std::string& key,
                                             const std::vector<std::string>& fields) {
  std::vector<std::string> missing;
  WithPlannerOff(db, "enable_sort", [&] {
    for (const std::string& field : fields) {
      const std::string folded = db.Folded(QuoteIdentifier(field));
      const std::vector<LiveRow> plan =
          db.Query("EXPLAIN SELECT " + QuoteIdentifier(key) + " FROM " + QuoteIdentifier(table) + " ORDER BY " +
                       folded + " ASC NULLS FIRST, " + QuoteIdentifier(key) + " ASC LIMIT 1",
                   {});
      const bool sorts = std::any_of(plan.begin(), plan.end(), [](const LiveRow& line) {
        return !line.empty() && line[0] && line[0]->find("Sort  (") != std::string::npos;
      });
      if (sorts)
        missing.push_back("CREATE INDEX " + QuoteIdentifier(table + "_" + field + "_fold") + " ON " +
                          QuoteIdentifier(table) + " ((" + folded + ") NULLS FIRST, " + QuoteIdentifier(key) +
                          ") INCLUDE (" + QuoteIdentifier(field) + ");");
    }
  });
  return missing;
}

void WithPlannerOff(QtLiveDatabase& db, const std::string& setting, const std::function<void()>& inside) {
  const std::vector<LiveParameter> name{setting};
  const std::vector<LiveRow> before = db.Query("SELECT current_setting(?)", name);
  const std::vector<LiveParameter> restore{setting, before.at(0).at(0).value_or("on")};
  db.Query("SELECT set_config(?, 'off', false)", name);
  try {
    inside();
  } catch (...) {
    db.Query("SELECT set_config(?, ?, false)", restore);
    throw;
  }
  db.Query("SELECT set_config(?, ?, false)", restore);
}

}  // namespace cbo::qt_sql
