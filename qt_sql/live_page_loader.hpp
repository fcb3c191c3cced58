#pragma once
// A live list's page reads on a thread of their own, over a clone of the
// list's connection (QSqlDatabase::cloneDatabase) that is opened, used and
// closed there; the pages arrive through the event loop of the thread that
// made the loader.
#include <QSqlDatabase>
#include <memory>

#include "list/table/live_page_loader.hpp"

namespace cbo::qt_sql {

// The loader of a live table on `db` (QSQLITE or QPSQL). Nothing when a
// clone of the connection would not reach the same rows (an SQLite
// database in memory): such a table reads its pages when they are asked for.
std::unique_ptr<LivePageLoader> PageLoaderFor(const QSqlDatabase& db);

}  // namespace cbo::qt_sql
