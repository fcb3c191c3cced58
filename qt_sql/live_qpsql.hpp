#pragma once
// A live table on Qt's PostgreSQL driver. The server folds the text: lower()
// under the ICU root collation (the same on every server, whatever the
// database's own locale), its result compared by code points (COLLATE "C",
// which on UTF-8 text is byte order). The time limit is the session's
// statement_timeout, set before each statement.
#include "qt_sql/live_qt_database.hpp"
#include "qt_sql/live_qt_sql.hpp"

namespace cbo::qt_sql {

class QpsqlLive final : public QtLiveDatabase {
public:
  explicit QpsqlLive(const QSqlDatabase& db) : QtLiveDatabase(db) {}

  // Every column through its text, so that numbers, dates and truth values
  // are compared as their text too.
  std::string Folded(const std::string& column) const override {
    return "lower(CAST(" + column + " AS TEXT) COLLATE \"und-x-icu\") COLLATE \"C\"";
  }

private:
  void Starting() override;
  std::string Explained(const QSqlError& error) const override;
};

// The checks of the table, its columns and its key, read from pg_catalog
// (live_qpsql_checks.cpp).
void CheckQpsqlTable(QtLiveDatabase& db, const std::string& table, const std::string& key,
                     const std::vector<std::string>& fields);
std::vector<std::string> MissingQpsqlIndexes(QtLiveDatabase& db, const std::string& table, const std::string& key,
                                             const std::vector<std::string>& fields);

LiveQtTable OpenQpsqlTable(const QSqlDatabase& db, const std::string& table, const std::string& key,
                           const std::vector<std::string>& fields, int32_t timeLimitMs);

}  // namespace cbo::qt_sql
