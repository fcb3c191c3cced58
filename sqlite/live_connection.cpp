// The live table's SQLite connection and the folding function it registers.
#include "sqlite/live_connection.hpp"

#include <sqlite3.h>

#include <charconv>

#include "list/table/filter_fold.hpp"
#include "list/table/filter_match.hpp"
#include "list/table/recordset.hpp"
#include "platform/error.hpp"
#include "platform/text.hpp"
#include "platform/variant.hpp"
#include "sqlite/live_sqlite.hpp"
#include "sqlite/messages.hpp"

namespace cbo {

namespace {

// A value's text as the list shows it: numbers as a fill writes them.
std::string TextOf(sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER: return std::to_string(sqlite3_value_int64(value));
    case SQLITE_FLOAT: return FormatNumber(sqlite3_value_double(value));
    default: {
      const unsigned char* text = sqlite3_value_text(value);
      return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_value_bytes(value)))
                  : std::string();
    }
  }
}

void Fold(sqlite3_context* context, int, sqlite3_value** arguments) {
  if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) return sqlite3_result_null(context);
  if (sqlite3_value_type(arguments[0]) == SQLITE_BLOB)
    return sqlite3_result_error(context, "cbo_fold: a blob (binary value) has no letter case", -1);
  const std::string folded = FoldCase(TextOf(arguments[0]));
  sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

// cbo_filter_fold(text): the text in the filter's form, as the filter's text
// index holds it. Bytes that are not UTF-8 become U+FFFD, so that the index
// reads the same characters as the filter: text the filter can find (valid
// UTF-8) survives whole.
void FilterFoldForIndex(sqlite3_context* context, int, sqlite3_value** arguments) {
  if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) return sqlite3_result_null(context);
  if (sqlite3_value_type(arguments[0]) == SQLITE_BLOB)
    return sqlite3_result_error(context, "cbo_filter_fold: a blob (binary value) has no letter case", -1);
  const std::string folded = FilterFold(TextOf(arguments[0]));
  std::string valid;
  valid.reserve(folded.size());
  for (size_t i = 0; i < folded.size();) {
    const int length = text::SequenceLength(folded, i);
    if (length == 0) {
      valid += "\xEF\xBF\xBD";
      ++i;
    } else {
      valid.append(folded, i, static_cast<size_t>(length));
      i += static_cast<size_t>(length);
    }
  }
  sqlite3_result_text(context, valid.data(), static_cast<int>(valid.size()), SQLITE_TRANSIENT);
}

// cbo_filter_match(text, filter, wordStart): the drop-down's filter, as the
// list matches it. The filter text is the same for every row of a
// statement: it is prepared once and kept with the statement.
void MatchFilter(sqlite3_context* context, int, sqlite3_value** arguments) {
  if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) return sqlite3_result_null(context);
  const std::string cell = TextOf(arguments[0]);
  if (const auto* kept = static_cast<const FilterText*>(sqlite3_get_auxdata(context, 1)))
    return sqlite3_result_int(context, kept->Matches(cell) ? 1 : 0);
  const unsigned char* text = sqlite3_value_text(arguments[1]);
  const std::string_view folded(text ? reinterpret_cast<const char*>(text) : "",
                                static_cast<size_t>(sqlite3_value_bytes(arguments[1])));
  auto* filter =
      new FilterText(folded, sqlite3_value_int(arguments[2]) ? FilterMatch::WordStart : FilterMatch::Contains);
  sqlite3_result_int(context, filter->Matches(cell) ? 1 : 0);
  // SQLite keeps it for the next rows, or frees it at once.
  sqlite3_set_auxdata(context, 1, filter, [](void* p) { delete static_cast<FilterText*>(p); });
}

}  // namespace

void RegisterFolding(sqlite3* database) {
  if (!database) throw Error(ErrorKind::Database, "cbo_fold: there is no database connection");
  if (sqlite3_create_function_v2(database, "cbo_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                 nullptr, &Fold, nullptr, nullptr, nullptr) != SQLITE_OK)
    throw Error(ErrorKind::Database, std::string("cbo_fold: ") + sqlite3_errmsg(database));
  if (sqlite3_create_function_v2(database, "cbo_filter_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                 nullptr, &FilterFoldForIndex, nullptr, nullptr, nullptr) != SQLITE_OK)
    throw Error(ErrorKind::Database, std::string("cbo_filter_fold: ") + sqlite3_errmsg(database));
}

namespace sqlite {

LiveConnection::LiveConnection(const std::string& file) : file_(file) {
  if (file.empty()) throw Error(ErrorKind::Database, "database \"\": no file name was given");
  RequireNoNul(file, "database");
  // Read-only and never created: a mistyped name is an error, and the list
  // cannot change the rows it shows.
  const int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close_v2(db_);
    throw Error(ErrorKind::Database, "database " + Quoted(file) + ": " + message);
  }
  try {
    RegisterFolding(db_);
    if (sqlite3_create_function_v2(db_, "cbo_filter_match", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   &MatchFilter, nullptr, nullptr, nullptr) != SQLITE_OK)
      throw Error(ErrorKind::Database, "database " + Quoted(file) + ": cbo_filter_match: " + sqlite3_errmsg(db_));
  } catch (...) {
    sqlite3_close_v2(db_);
    throw;
  }
  sqlite3_progress_handler(db_, 1000, &LiveConnection::Progress, this);
}

LiveConnection::~LiveConnection() { sqlite3_close_v2(db_); }

void LiveConnection::SetTimeLimit(int32_t milliseconds) {
  if (milliseconds <= 0)
    throw Error(ErrorKind::Database,
                "TimeLimit: " + std::to_string(milliseconds) + " ms is not a time limit (it must be above 0)");
  timeLimitMs_ = milliseconds;
}

void LiveConnection::UseFilterIndex(std::optional<FilterIndex> index) { filterIndex_ = std::move(index); }

std::optional<LiveSelect> LiveConnection::FilterIndexKeys(std::span<const std::string> columns,
                                                          const std::string& folded) const {
  return filterIndex_ ? KeysThatMayMatch(*filterIndex_, columns, folded) : std::nullopt;
}

int LiveConnection::Progress(void* self) {
  auto* connection = static_cast<LiveConnection*>(self);
  if (std::chrono::steady_clock::now() < connection->deadline_) return 0;
  connection->timedOut_ = true;
  return 1;  // SQLite stops the statement with SQLITE_INTERRUPT
}

std::vector<LiveRow> LiveConnection::Query(const std::string& sql, std::span<const LiveParameter> parameters) {
  auto failed = [&](const std::string& what) -> Error {
    std::string message = "database " + Quoted(file_) + ": " + what;
    if (timedOut_)
      message += " (a statement ran longer than the time limit of " + std::to_string(timeLimitMs_) + " ms)";
    return Error(ErrorKind::Database, message);
  };
  timedOut_ = false;
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs_);
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &raw, nullptr) != SQLITE_OK)
    throw failed(sqlite3_errmsg(db_));
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, &sqlite3_finalize);
  for (size_t i = 0; i < parameters.size(); ++i) {
    const int at = static_cast<int>(i) + 1;
    const int rc =
        std::holds_alternative<int64_t>(parameters[i])
            ? sqlite3_bind_int64(raw, at, std::get<int64_t>(parameters[i]))
            : sqlite3_bind_text(raw, at, std::get<std::string>(parameters[i]).data(),
                                static_cast<int>(std::get<std::string>(parameters[i]).size()), SQLITE_STATIC);
    if (rc != SQLITE_OK) throw failed(sqlite3_errmsg(db_));
  }
  std::vector<LiveRow> rows;
  const int columns = sqlite3_column_count(raw);
  for (;;) {
    const int rc = sqlite3_step(raw);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) throw failed(sqlite3_errmsg(db_));
    LiveRow& row = rows.emplace_back(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
      sqlite3_value* value = sqlite3_column_value(raw, c);
      if (sqlite3_value_type(value) == SQLITE_BLOB)
        throw failed(std::string("column ") + Quoted(sqlite3_column_name(raw, c)) +
                     ": a blob (binary value) cannot be shown in the list");
      if (sqlite3_value_type(value) != SQLITE_NULL) row[static_cast<size_t>(c)] = TextOf(value);
    }
  }
  return rows;
}

}  // namespace sqlite

}  // namespace cbo
