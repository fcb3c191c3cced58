// The widget's live lists: a database table attached as the list, and the
// time limit of its statements.
#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "list/table/live_recordset.hpp"
#include "platform/error.hpp"
#include "qt_sql/live_page_loader.hpp"
#include "qt_sql/live_qt_sql.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace cbo {

QStringList CboVarnoWidget::attachTable(const QSqlDatabase& db, const QString& table, const QString& keyColumn,
                                        const QStringList& fields) {
  const LiveQtTable live = attachLiveTable(control(), db, table, keyColumn, fields, timeLimitMs_);
  // The grid's pages are read on a connection of their own, off this thread.
  live.table->SetPageLoader(qt_sql::PageLoaderFor(db));
  NotifyQtNamed(QString());
  ApplyPendingChoice();
  return live.missingIndexes;
}

QStringList CboVarnoWidget::filterIndexStatements(const QSqlDatabase& db, const QString& table,
                                                  const QString& keyColumn, const QStringList& fields) {
  return cbo::filterIndexStatements(db, table, keyColumn, fields);
}

void CboVarnoWidget::setTimeLimit(int milliseconds) {
  if (milliseconds <= 0)
    throw Error(ErrorKind::Overflow,
                "timeLimit: " + std::to_string(milliseconds) + " ms is not a time limit (it must be above 0)");
  if (milliseconds == timeLimitMs_) return;
  // The list attached last, while it is still the list.
  if (auto* live = dynamic_cast<LiveRecordset*>(control().Lista().Rcset_Cbo().get()))
    live->Database().SetTimeLimit(milliseconds);
  timeLimitMs_ = milliseconds;
  emit timeLimitChanged(milliseconds);
}

}  // namespace cbo
