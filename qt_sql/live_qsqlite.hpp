#pragma once
// A live table on Qt's SQLite driver: the connection's own sqlite3 handle
// gets cbo_fold, as sqlite/ registers it, the filter's text index is used
// when the table has one, and a progress handler that stops
// a statement at the time limit. The table's checks are those of sqlite/.
#include <chrono>
#include <memory>

#include "qt_sql/live_qt_database.hpp"
#include "qt_sql/live_qt_sql.hpp"
#include "sqlite/filter_index.hpp"

struct sqlite3;

namespace cbo::qt_sql {

class QsqliteLive final : public QtLiveDatabase {
public:
  // Database error when the connection is not open or cbo_fold cannot be
  // registered on it.
  explicit QsqliteLive(const QSqlDatabase& db);

  std::string Folded(const std::string& column) const override { return "cbo_fold(" + column + ")"; }
  // On a connection of the list's own (the page reads' clone), a lock that
  // another connection holds is waited for no longer than the time limit;
  // on the application's connection its own busy timeout stays.
  void OwnConnection() { ownConnection_ = true; }
  // The filter's text index of the table, when it has one.
  void UseFilterIndex(std::optional<sqlite::FilterIndex> index) { filterIndex_ = std::move(index); }
  std::optional<LiveSelect> FilterIndexKeys(std::span<const std::string> columns,
                                            const std::string& folded) const override {
    return filterIndex_ ? sqlite::KeysThatMayMatch(*filterIndex_, columns, folded) : std::nullopt;
  }

private:
  void Starting() override;
  void Finished() override;
  std::string Explained(const QSqlError& error) const override;
  static int Progress(void* self);
  // The connection's handle, cbo_fold registered on it: a connection closed
  // and opened again gets it again.
  sqlite3* Handle();

  std::string marker_;                // the name of the marker function
  std::shared_ptr<bool> registered_;  // true while the marker is registered
  sqlite3* running_ = nullptr;        // the handle the progress handler is on
  std::chrono::steady_clock::time_point deadline_;
  bool timedOut_ = false;
  bool ownConnection_ = false;
  std::optional<sqlite::FilterIndex> filterIndex_;
};

LiveQtTable OpenQsqliteTable(const QSqlDatabase& db, const std::string& table, const std::string& key,
                             const std::vector<std::string>& fields, int32_t timeLimitMs);

}  // namespace cbo::qt_sql
