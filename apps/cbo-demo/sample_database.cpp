#include "apps/cbo-demo/sample_database.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "apps/cbo-demo/sample_data.hpp"
#include "platform/error.hpp"

namespace cbo::demo {

namespace {

[[noreturn]] void CannotMake(const QString& file, const QString& why) {
  throw Error(ErrorKind::Database,
              "database \"" + file.toStdString() + "\": cannot make the demo's file: " + why.toStdString());
}

// Writes the table into a new file; the connection is gone when it returns.
void WriteRows(const QString& file, const QString& connectionName) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
  db.setDatabaseName(file);
  if (!db.open()) CannotMake(file, db.lastError().text());
  QSqlQuery q(db);
  const QString table = QString::fromLatin1(kSampleTable);
  if (!q.exec(QStringLiteral("CREATE TABLE %1 (Codice TEXT PRIMARY KEY, Comune TEXT NOT NULL, Provincia TEXT, "
                             "Regione TEXT, CAP TEXT)")
                  .arg(table)) ||
      !db.transaction())
    CannotMake(file, q.lastError().text());
  q.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?, ?, ?)").arg(table));
  for (const Luogo& l : Luoghi()) {
    for (const std::string* value : {&l.Codice, &l.Comune, &l.Provincia, &l.Regione, &l.Cap})
      q.addBindValue(QString::fromStdString(*value));
    if (!q.exec()) CannotMake(file, q.lastError().text());
  }
  if (!db.commit()) CannotMake(file, db.lastError().text());
}

}  // namespace

QString SampleDatabasePath(const QString& settingsFile) {
  return QFileInfo(settingsFile).absoluteDir().filePath(QStringLiteral("cbo-demo.db"));
}

void CreateSampleDatabase(const QString& file) {
  if (QFileInfo::exists(file)) return;
  if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
    CannotMake(file, QStringLiteral("Qt's SQLite driver QSQLITE is not installed (Debian's libqt6sql6-sqlite)"));
  const QString part = file + QStringLiteral(".part");
  const QString connectionName = QStringLiteral("cbo-demo-create");
  QFile::remove(part);  // left by a run that was interrupted
  try {
    WriteRows(part, connectionName);
  } catch (const Error&) {
    QSqlDatabase::removeDatabase(connectionName);
    QFile::remove(part);
    throw;
  }
  QSqlDatabase::removeDatabase(connectionName);
  // Another copy of the demo may have made the file meanwhile: its file is
  // as good as ours.
  if (!QFile::rename(part, file) && !QFileInfo::exists(file)) {
    QFile::remove(part);
    CannotMake(file, QStringLiteral("cannot rename %1 to it").arg(part));
  }
  QFile::remove(part);
}

}  // namespace cbo::demo
