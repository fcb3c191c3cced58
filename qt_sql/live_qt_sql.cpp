// Live tables through Qt SQL: each driver that can hold one, and the rest
// refused by name.
#include "qt_sql/live_qt_sql.hpp"

#include <QSqlError>

#include "control/cbo_varno.hpp"
#include "fill/live_open.hpp"
#include "list/table/live_recordset.hpp"
#include "platform/error.hpp"
#include "qt_sql/live_qpsql.hpp"
#if CBO_LIVE_QSQLITE
#include "qt_sql/live_qsqlite.hpp"
#include "sqlite/live_sqlite.hpp"
#endif

namespace cbo {

namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

std::vector<std::string> Names(const QStringList& names) {
  std::vector<std::string> out;
  for (const QString& name : names) out.push_back(Utf8(name));
  return out;
}

LiveQtTable Open(const QSqlDatabase& db, const std::string& table, const std::string& key,
                 const std::vector<std::string>& fields, int timeLimitMs) {
  const std::string where = "connection \"" + Utf8(db.connectionName()) + "\"";
  if (!db.isValid())
    throw Error(ErrorKind::Database, where + ": there is no such connection, or its driver is not loaded" +
                                         (db.lastError().isValid() ? ": " + Utf8(db.lastError().text()) : ""));
  const QString driver = db.driverName();
#if CBO_LIVE_QSQLITE
  if (driver == "QSQLITE") return qt_sql::OpenQsqliteTable(db, table, key, fields, timeLimitMs);
  const char* const supported = "QSQLITE and QPSQL are";
#else
  // Built without the SQLite library, which QSQLITE's folding is registered
  // through.
  const char* const supported = "this build supports QPSQL only";
#endif
  if (driver == "QPSQL") return qt_sql::OpenQpsqlTable(db, table, key, fields, timeLimitMs);
  throw Error(ErrorKind::Database, where + ": the driver " + Utf8(driver) + " is not supported for live lists (" +
                                       supported + "); fill the list from a query instead");
}

}  // namespace

LiveQtTable openLiveTable(const QSqlDatabase& db, const QString& table, const QString& key, const QStringList& fields,
                          int timeLimitMs) {
  return Open(db, Utf8(table), Utf8(key), Names(fields), timeLimitMs);
}

QStringList filterIndexStatements(const QSqlDatabase& db, const QString& table, const QString& key,
                                  const QStringList& fields) {
  std::vector<std::string> statements;
  if (db.driverName() == "QPSQL") {
    statements = qt_sql::QpsqlFilterIndexStatements(Utf8(table), Names(fields));
#if CBO_LIVE_QSQLITE
  } else if (db.driverName() == "QSQLITE") {
    statements = FilterIndexStatements(Utf8(table), Utf8(key), Names(fields));
#endif
  } else {
    throw Error(ErrorKind::Database, "connection \"" + Utf8(db.connectionName()) + "\": the driver " +
                                         Utf8(db.driverName()) + " has no filter index of a live list");
  }
  QStringList out;
  for (const std::string& statement : statements) out << QString::fromStdString(statement);
  return out;
}

LiveQtTable attachLiveTable(CboVarno& control, const QSqlDatabase& db, const QString& table, const QString& key,
                            const QStringList& fields, int timeLimitMs) {
  // A list with columns reads them in its own order.
  LiveQtTable live = Open(db, Utf8(table), Utf8(key), FieldsInColumnOrder(control, Names(fields)), timeLimitMs);
  control.AttachTable(live.table);
  return live;
}

}  // namespace cbo
