#pragma once
// A live table's database reached through a Qt SQL connection: each
// statement run by QSqlQuery with its values bound to positional
// placeholders, its rows read whole and converted as fillFromQuery converts
// values. The drivers that can hold a live table (live_qsqlite.hpp,
// live_qpsql.hpp) add their folding and their time limit.
#include <QSqlDatabase>
#include <QSqlError>

#include "list/table/live_database.hpp"

namespace cbo::qt_sql {

class QtLiveDatabase : public LiveDatabase {
public:
  std::vector<LiveRow> Query(const std::string& sql, std::span<const LiveParameter> parameters) final;
  void SetTimeLimit(int32_t milliseconds) final;
  int32_t TimeLimit() const final { return timeLimitMs_; }

  // How messages name the connection: connection "name" (DRIVER).
  const std::string& Where() const { return where_; }
  const QSqlDatabase& Connection() const { return db_; }
  // A Database error: Where(), then `what`.
  [[noreturn]] void Fail(const std::string& what) const;

protected:
  // Database error naming the connection when it is not open.
  explicit QtLiveDatabase(const QSqlDatabase& db);

  // Before and after each statement (after it also when it failed): where a
  // driver starts and stops its clock.
  virtual void Starting() {}
  virtual void Finished() {}
  // What a failure's message adds to the driver's own (that the statement
  // was stopped at the time limit).
  virtual std::string Explained(const QSqlError& error) const = 0;

private:
  QSqlDatabase db_;
  std::string where_;
  int32_t timeLimitMs_ = 2000;
};

}  // namespace cbo::qt_sql
