#include "apps/cbo-demo/demo_source.hpp"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include "apps/cbo-demo/sample_database.hpp"
#include "platform/error.hpp"

namespace cbo::demo {

namespace {

[[noreturn]] void Failed(const QString& file, const QString& why) {
  throw Error(ErrorKind::Database, "database \"" + file.toStdString() + "\": " + why.toStdString());
}

// An SQL name in double quotes, inner ones doubled.
QString Quoted(QString name) {
  return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The table created first, or an empty name when there is none.
QString FirstTable(QSqlDatabase& db) {
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                             "ESCAPE '\\' ORDER BY rowid LIMIT 1")))
    Failed(db.databaseName(), q.lastError().text());
  return q.next() ? q.value(0).toString() : QString();
}

}  // namespace

DemoSource ChooseSource(const QString& db, const QString& query, const QString& settingsFile) {
  DemoSource source;
  source.file = db;
  if (db.isEmpty()) {
    source.file = SampleDatabasePath(settingsFile);
    CreateSampleDatabase(source.file);
    if (query.isEmpty()) {
      const QString table = QString::fromLatin1(kSampleTable);
      source.query = QStringLiteral("SELECT Codice, Comune, Provincia, Regione, CAP FROM %1 ORDER BY rowid").arg(table);
      source.countQuery = QStringLiteral("SELECT count(*) FROM %1").arg(table);
      source.sampleLayout = true;
      return source;
    }
  }
  source.query = query;
  if (query.isEmpty()) {
    ReadOnlyConnection connection(source.file);
    const QString table = FirstTable(connection.Database());
    if (table.isEmpty()) Failed(source.file, QStringLiteral("it holds no table; name a query with --query SQL"));
    source.query = QStringLiteral("SELECT * FROM ") + Quoted(table);
    source.countQuery = QStringLiteral("SELECT count(*) FROM ") + Quoted(table);
  }
  return source;
}

ReadOnlyConnection::ReadOnlyConnection(const QString& file) {
  static int made = 0;
  name_ = QStringLiteral("cbo-demo-%1").arg(++made);
  if (!QFileInfo(file).isFile()) Failed(file, QStringLiteral("no such file"));
  if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
    Failed(file, QStringLiteral("Qt's SQLite driver QSQLITE is not installed (Debian's libqt6sql6-sqlite)"));
  db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
  db_.setDatabaseName(file);
  db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
  if (!db_.open()) {
    const QString why = db_.lastError().text();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    Failed(file, why);
  }
}

ReadOnlyConnection::~ReadOnlyConnection() {
  db_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(name_);
}

}  // namespace cbo::demo
