// Live tables through QSQLITE.
#include "qt_sql/live_qsqlite.hpp"

#include <sqlite3.h>

#include <QSqlDriver>
#include <QVariant>

#include "fill/live_open.hpp"
#include "list/list_store.hpp"
#include "list/table/live_recordset.hpp"
#include "sqlite/live_checks.hpp"
#include "sqlite/live_sqlite.hpp"

namespace cbo::qt_sql {

namespace {

void Nothing(sqlite3_context*, int, sqlite3_value**) {}

// SQLite destroys a function's data when the connection closes (or the
// function is replaced): the flag then says the registration is gone.
void Forget(void* flag) {
  auto* registered = static_cast<std::shared_ptr<bool>*>(flag);
  **registered = false;
  delete registered;
}

}  // namespace

QsqliteLive::QsqliteLive(const QSqlDatabase& db)
    : QtLiveDatabase(db), marker_("cbo_live_" + std::to_string(reinterpret_cast<uintptr_t>(this))) {
  Handle();
}

sqlite3* QsqliteLive::Handle() {
  const QVariant handle = Connection().driver()->handle();
  if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
    Fail("the driver gives no SQLite connection handle");
  sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
  if (!db) Fail("the connection is not open");
  // A connection closed and opened again is a new one (perhaps at the same
  // address), without cbo_fold: a marker function of this table's, whose
  // data SQLite destroys at the close, tells.
  if (!registered_ || !*registered_) {
    RegisterFolding(db);
    auto flag = std::make_shared<bool>(true);
    auto* data = new std::shared_ptr<bool>(flag);
    if (sqlite3_create_function_v2(db, marker_.c_str(), 0, SQLITE_UTF8, data, &Nothing, nullptr, nullptr, &Forget) !=
        SQLITE_OK)
      Fail(std::string("cbo_fold: ") + sqlite3_errmsg(db));  // SQLite has called Forget already
    registered_ = std::move(flag);
  }
  return db;
}

void QsqliteLive::Starting() {
  running_ = Handle();
  timedOut_ = false;
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeLimit());
  sqlite3_progress_handler(running_, 1000, &QsqliteLive::Progress, this);
  if (ownConnection_) sqlite3_busy_timeout(running_, TimeLimit());
}

// The handler is the connection's only while a statement of this table
// runs: the connection is the application's, and outlives the table.
void QsqliteLive::Finished() {
  if (running_) sqlite3_progress_handler(running_, 0, nullptr, nullptr);
  running_ = nullptr;
}

int QsqliteLive::Progress(void* self) {
  auto* live = static_cast<QsqliteLive*>(self);
  if (std::chrono::steady_clock::now() < live->deadline_) return 0;
  live->timedOut_ = true;
  return 1;  // SQLite stops the statement with SQLITE_INTERRUPT
}

std::string QsqliteLive::Explained(const QSqlError&) const {
  return timedOut_ ? " (a statement ran longer than the time limit of " + std::to_string(TimeLimit()) + " ms)"
                   : std::string();
}

LiveQtTable OpenQsqliteTable(const QSqlDatabase& connection, const std::string& table, const std::string& key,
                             const std::vector<std::string>& fields, int32_t timeLimitMs) {
  auto db = std::make_shared<QsqliteLive>(connection);
  db->SetTimeLimit(timeLimitMs);
  sqlite::CheckLiveTable(*db, db->Where(), table, key, fields);
  db->UseFilterIndex(sqlite::FindFilterIndex(*db, table));
  LiveQtTable live;
  live.table = std::make_shared<LiveRecordset>(db, LiveTableSpec{table, fields, key, kIndexField});
  const std::vector<std::string> missing = sqlite::MissingIndexes(*db, table, key, fields);
  RequireIndexes(db->Where(), table, live.table->RecordCount(), missing);
  for (const std::string& statement : missing) live.missingIndexes.push_back(QString::fromStdString(statement));
  return live;
}

}  // namespace cbo::qt_sql
