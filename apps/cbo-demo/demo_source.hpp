#pragma once
// Where the demo's rows come from: a SQLite file read through Qt SQL (the
// QSQLITE driver), and the query whose rows fill each control.
#include <QSqlDatabase>
#include <QString>

namespace cbo::demo {

struct DemoSource {
  QString file;               // the SQLite file
  QString query;              // its rows fill each control
  QString countQuery;         // how many rows that is, for the progress bar; empty when unknown
  bool sampleLayout = false;  // the demo's own places: the demo lays out their columns
};

// What the command line asks for (--db FILE, --query SQL; either may be
// empty). Without either, the demo's own file beside `settingsFile`, made on
// first use, with its places laid out by the demo. Otherwise the controls
// get one column per result column of `query`, or, without a query, of every
// column of the file's first table (the first one created), on `db` or on
// the demo's own file. A cbo::Error (Database) when the file cannot be made
// or opened or has no table.
DemoSource ChooseSource(const QString& db, const QString& query, const QString& settingsFile);

// A read-only connection to a SQLite file: a missing file is an error, never
// a new empty one. Removed from Qt's list of connections when it goes.
class ReadOnlyConnection {
public:
  // A cbo::Error (Database) naming the file when it cannot be opened.
  explicit ReadOnlyConnection(const QString& file);
  ~ReadOnlyConnection();
  ReadOnlyConnection(const ReadOnlyConnection&) = delete;
  ReadOnlyConnection& operator=(const ReadOnlyConnection&) = delete;
  QSqlDatabase& Database() { return db_; }

private:
  QString name_;
  QSqlDatabase db_;
};

}  // namespace cbo::demo
