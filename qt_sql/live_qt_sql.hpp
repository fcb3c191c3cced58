#pragma once
// Lists that stay in a database reached through Qt SQL: a table (or view) of
// an open QSqlDatabase becomes the control's list, and the list reads only
// the rows it shows (list/table/live_recordset.hpp). Two drivers can hold
// such a list:
//   QSQLITE  the connection gets the folding function cbo_fold(text), as
//            sqlite/live_sqlite.hpp registers it, and its indexes are those
//            of docs/database.md;
//   QPSQL    the text is folded by the server, lower() under its ICU root
//            collation compared by code points, and its indexes are those of
//            docs/database.md (which also lists the few
//            characters that fold otherwise there than in the list);
// any other driver is refused. The connection stays the application's: it
// must stay open while the list is live, on the thread that uses the
// control. On QPSQL every statement of the list first sets the
// connection's statement_timeout to the time limit (give the list a
// connection of its own, QSqlDatabase::cloneDatabase, when other statements
// need another).
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>

namespace cbo {

class CboVarno;
class LiveRecordset;

struct LiveQtTable {
  std::shared_ptr<LiveRecordset> table;
  QStringList missingIndexes;  // CREATE INDEX statements
};

// Opens the table as a live table: `key` is its integer key column (unique:
// the primary key or a column of its own unique index; on PostgreSQL also
// NOT NULL), `fields` the columns shown, in order. Names are identifiers as
// the database compares quoted ones (on PostgreSQL exact, letter case
// included). A connection that is not open, a driver other than QSQLITE and
// QPSQL, a table, column or key that cannot be used is a cbo::Error of the
// kind Database that names it, and so is a table of 100,000 rows or more
// without the indexes its finds and sorts need (the error gives the CREATE
// INDEX statements); a smaller one opens and lists them in missingIndexes.
// Statements that run longer than `timeLimitMs` are stopped with a Database
// error; every failure of the database carries the driver's message.
LiveQtTable openLiveTable(const QSqlDatabase& db, const QString& table, const QString& key, const QStringList& fields,
                          int timeLimitMs = 2000);

// The statements that give the table's fields the drop-down filter's text
// indexes (docs/database.md): on QSQLITE an FTS5 table kept by triggers, on
// QPSQL the pg_trgm and unaccent extensions, the folding function
// cbo_filter_fold and one trigram index a field. Run once by the table's
// owner; a live list opened afterwards finds a filter text few rows hold
// through them. Another driver is a cbo::Error of the kind Database.
QStringList filterIndexStatements(const QSqlDatabase& db, const QString& table, const QString& key,
                                  const QStringList& fields);

// Attaches such a table to the control as its list (CboVarno::AttachTable).
// When the control has columns, the fields must be its fields (letter case
// ignored) and are read in the columns' order. Fails as openLiveTable and
// AttachTable do, leaving the control as it was.
LiveQtTable attachLiveTable(CboVarno& control, const QSqlDatabase& db, const QString& table, const QString& key,
                            const QStringList& fields, int timeLimitMs = 2000);

}  // namespace cbo
