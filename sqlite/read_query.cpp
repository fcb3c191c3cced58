// One query read to its end into a RowBuffer: prepared, its parameters
// bound, stepped row by row, each value turned into its text.
#include <sqlite3.h>

#include <cstdint>
#include <memory>

#include "fill/buffered_fill.hpp"
#include "platform/error.hpp"
#include "sqlite/sqlite_fill.hpp"
#include "sqlite/messages.hpp"

namespace cbo {

namespace {

using sqlite::Quoted;

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

[[noreturn]] void QueryFailed(sqlite3* db, const std::string& query, const std::string& where = "") {
  throw Error(ErrorKind::Database, "query " + Quoted(query) + where + ": " + sqlite3_errmsg(db));
}

// Prepares the query's one statement; text after it other than blanks and
// comments is refused, so that no statement is silently left out.
Statement Prepare(sqlite3* db, const std::string& query) {
  sqlite::RequireNoNul(query, "query");
  if (query.size() >= static_cast<size_t>(INT32_MAX))
    throw Error(ErrorKind::Database, "query of " + std::to_string(query.size()) + " bytes: it is too long");
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, query.c_str(), static_cast<int>(query.size()), &raw, &tail) != SQLITE_OK)
    QueryFailed(db, query);
  Statement statement(raw, &sqlite3_finalize);
  if (!statement) throw Error(ErrorKind::Database, "query " + Quoted(query) + ": it holds no statement");
  const int rest = static_cast<int>(query.c_str() + query.size() - tail);
  sqlite3_stmt* more = nullptr;
  if (sqlite3_prepare_v2(db, tail, rest, &more, nullptr) != SQLITE_OK) QueryFailed(db, query);
  if (more) {
    sqlite3_finalize(more);
    throw Error(ErrorKind::Database,
                "query " + Quoted(query) + ": it holds more than one statement (a fill runs one query)");
  }
  return statement;
}

void Bind(sqlite3* db, const std::string& query, sqlite3_stmt* statement, int position, const Variant& value) {
  const std::string what = "query parameter " + std::to_string(position);
  int rc = SQLITE_OK;
  switch (value.type()) {
    case VarType::Null: rc = sqlite3_bind_null(statement, position); break;
    case VarType::Boolean: rc = sqlite3_bind_int(statement, position, value.AsBool() ? 1 : 0); break;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long: rc = sqlite3_bind_int64(statement, position, ToLong(value, what)); break;
    case VarType::Single:
    case VarType::Double: rc = sqlite3_bind_double(statement, position, ToDouble(value, what)); break;
    default: {
      const std::string text = ToText(value, what);
      rc = sqlite3_bind_text(statement, position, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
  }
  if (rc != SQLITE_OK) QueryFailed(db, query, ", parameter " + std::to_string(position));
}

void BindAll(sqlite3* db, const std::string& query, sqlite3_stmt* statement, std::span<const Variant> parameters) {
  const int wanted = sqlite3_bind_parameter_count(statement);
  if (static_cast<size_t>(wanted) != parameters.size())
    throw Error(ErrorKind::Database, "query " + Quoted(query) + ": it takes " + std::to_string(wanted) +
                                         " parameters and " + std::to_string(parameters.size()) + " were given");
  for (size_t i = 0; i < parameters.size(); ++i) Bind(db, query, statement, static_cast<int>(i) + 1, parameters[i]);
}

// One value of the current row: its type, and its text and size when it is
// text or a blob (an integer or real is read by its type).
struct Value {
  int type;
  const unsigned char* text = nullptr;
  int bytes = 0;
  sqlite3_int64 integer = 0;
  double real = 0;
};

// A connection without a mutex (the one FillFromSqlite opens, for this thread
// alone) is read through the column's sqlite3_value: about a quarter fewer
// instructions than the column calls, which each take and leave the
// connection's mutex. That value is safe only where no mutex is to be held;
// a host's connection that has one is read through the column calls.
Value ValueOf(sqlite3_stmt* statement, int column, bool unlocked) {
  Value v;
  if (unlocked) {
    sqlite3_value* value = sqlite3_column_value(statement, column);
    v.type = sqlite3_value_type(value);
    if (v.type == SQLITE_INTEGER) {
      v.integer = sqlite3_value_int64(value);
    } else if (v.type == SQLITE_FLOAT) {
      v.real = sqlite3_value_double(value);
    } else if (v.type == SQLITE_TEXT) {
      v.text = sqlite3_value_text(value);
      v.bytes = sqlite3_value_bytes(value);
    }
    return v;
  }
  v.type = sqlite3_column_type(statement, column);
  if (v.type == SQLITE_INTEGER) {
    v.integer = sqlite3_column_int64(statement, column);
  } else if (v.type == SQLITE_FLOAT) {
    v.real = sqlite3_column_double(statement, column);
  } else if (v.type == SQLITE_TEXT) {
    v.text = sqlite3_column_text(statement, column);
    v.bytes = sqlite3_column_bytes(statement, column);
  }
  return v;
}

}  // namespace

std::optional<RowBuffer> ReadSqlite(sqlite3* database, const std::string& query, std::span<const Variant> parameters,
                                    const FillProgress& progress) {
  if (!database) throw Error(ErrorKind::Database, "query " + Quoted(query) + ": there is no database connection");
  Statement statement = Prepare(database, query);
  BindAll(database, query, statement.get(), parameters);

  const int columns = sqlite3_column_count(statement.get());
  std::vector<std::string> names;
  for (int c = 0; c < columns; ++c) {
    const char* name = sqlite3_column_name(statement.get(), c);
    if (!name) QueryFailed(database, query, ", column " + std::to_string(c + 1));
    names.emplace_back(name);
  }
  RowBuffer rows(std::move(names));
  const bool unlocked = sqlite3_db_mutex(database) == nullptr;
  ReadProgress tell(progress);
  if (!tell.Start()) return std::nullopt;
  for (int64_t row = 1;; ++row) {
    const int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) QueryFailed(database, query, ", row " + std::to_string(row));
    for (int c = 0; c < columns; ++c) {
      const Value v = ValueOf(statement.get(), c, unlocked);
      switch (v.type) {
        case SQLITE_NULL: rows.AppendNull(); break;
        case SQLITE_INTEGER: rows.AppendInteger(v.integer); break;
        case SQLITE_FLOAT: rows.AppendReal(v.real); break;
        case SQLITE_TEXT:
          if (!v.text) QueryFailed(database, query, ", row " + std::to_string(row));  // out of memory
          rows.AppendText(std::string_view(reinterpret_cast<const char*>(v.text), static_cast<size_t>(v.bytes)));
          break;
        default:
          throw Error(ErrorKind::TypeMismatch, "query " + Quoted(query) + ", row " + std::to_string(row) + ", column " +
                                                   Quoted(rows.ColumnNames()[static_cast<size_t>(c)]) +
                                                   ": a blob (binary value) cannot be shown in the list");
      }
    }
    if (!tell.RowsRead(row)) return std::nullopt;
  }
  return rows;
}

}  // namespace cbo
