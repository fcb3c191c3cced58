// Live tables through QPSQL: the connection's time limit, and opening.
#include "qt_sql/live_qpsql.hpp"

#include <QSqlQuery>

#include "fill/live_open.hpp"
#include "list/list_store.hpp"
#include "list/table/live_recordset.hpp"

namespace cbo::qt_sql {

void QpsqlLive::Starting() {
  if (ownConnection_ && limitSet_ == TimeLimit()) return;
  // The limit is this table's own number, checked above 0 when it was set:
  // no value from outside reaches the statement.
  QSqlQuery set(Connection());
  if (!set.exec(QString("SET statement_timeout = %1").arg(TimeLimit())))
    Fail("setting the time limit: " + set.lastError().text().toStdString());
  limitSet_ = TimeLimit();
}

std::string QpsqlLive::Explained(const QSqlError& error) const {
  // 57014, query_canceled: what PostgreSQL stops a statement at its
  // statement_timeout with.
  if (error.nativeErrorCode() != "57014") return {};
  return " (a statement ran longer than the time limit of " + std::to_string(TimeLimit()) + " ms)";
}

LiveQtTable OpenQpsqlTable(const QSqlDatabase& connection, const std::string& table, const std::string& key,
                           const std::vector<std::string>& fields, int32_t timeLimitMs) {
  auto db = std::make_shared<QpsqlLive>(connection);
  db->SetTimeLimit(timeLimitMs);
  CheckQpsqlTable(*db, table, key, fields);
  db->UseFilterIndexes(table, key, QpsqlFilterIndexed(*db, table, fields));
  LiveQtTable live;
  live.table = std::make_shared<LiveRecordset>(db, LiveTableSpec{table, fields, key, kIndexField});
  const std::vector<std::string> missing = MissingQpsqlIndexes(*db, table, key, fields);
  RequireIndexes(db->Where(), table, live.table->RecordCount(), missing);
  for (const std::string& statement : missing) live.missingIndexes.push_back(QString::fromStdString(statement));
  return live;
}

}  // namespace cbo::qt_sql
