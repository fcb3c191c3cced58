#pragma once
// A live table on Qt's PostgreSQL driver. The server folds the text: lower()
// under the ICU root collation (the same on every server, whatever the
// database's own locale), its result compared by code points (COLLATE "C",
// which on UTF-8 text is byte order). The time limit is the session's
// statement_timeout, set before each statement.
#include <functional>

#include "qt_sql/live_qt_database.hpp"
#include "qt_sql/live_qt_sql.hpp"

namespace cbo::qt_sql {

class QpsqlLive final : public QtLiveDatabase {
public:
  explicit QpsqlLive(const QSqlDatabase& db) : QtLiveDatabase(db) {}

  // On a session of the list's own (the page reads' clone), nothing else
  // sets statement_timeout: it is set again only when the limit changed,
  // one round trip a statement fewer.
  void OwnConnection() { ownConnection_ = true; }

  // Every column through its text, so that numbers, dates and truth values
  // are compared as their text too.
  std::string Folded(const std::string& column) const override {
    return "lower(CAST(" + column + " AS TEXT) COLLATE \"und-x-icu\") COLLATE \"C\"";
  }

  // The fields of the table whose filter form has a trigram index
  // (live_qpsql_filter.cpp); the table is read by its key.
  void UseFilterIndexes(std::string table, std::string key, std::vector<std::string> fields);
  std::optional<LiveSelect> FilterIndexKeys(std::span<const std::string> columns,
                                            const std::string& folded) const override;

private:
  void Starting() override;
  std::string Explained(const QSqlError& error) const override;

  std::string filterTable_, filterKey_;
  std::vector<std::string> filterFields_;
  bool ownConnection_ = false;
  int32_t limitSet_ = 0;  // the statement_timeout last set on an own session
};

// The checks of the table, its columns and its key, read from pg_catalog
// (live_qpsql_checks.cpp).
void CheckQpsqlTable(QtLiveDatabase& db, const std::string& table, const std::string& key,
                     const std::vector<std::string>& fields);
std::vector<std::string> MissingQpsqlIndexes(QtLiveDatabase& db, const std::string& table, const std::string& key,
                                             const std::vector<std::string>& fields);

// Runs `inside` with one of the planner's enable_* settings off for the
// session, then sets it back as it was (also when `inside` fails): the
// checks ask for a plan the planner would not choose, to see whether an
// index can give it.
void WithPlannerOff(QtLiveDatabase& db, const std::string& setting, const std::function<void()>& inside);

// The statements that give the fields of a table the filter's trigram
// indexes: the extensions, the folding function, one index a field.
std::vector<std::string> QpsqlFilterIndexStatements(const std::string& table, const std::vector<std::string>& fields);
// The fields that have one, by the planner's plans.
std::vector<std::string> QpsqlFilterIndexed(QtLiveDatabase& db, const std::string& table,
                                            const std::vector<std::string>& fields);

LiveQtTable OpenQpsqlTable(const QSqlDatabase& db, const std::string& table, const std::string& key,
                           const std::vector<std::string>& fields, int32_t timeLimitMs);

}  // namespace cbo::qt_sql
