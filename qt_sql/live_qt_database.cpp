// Statements of a live table through QSqlQuery.
#include "qt_sql/live_qt_database.hpp"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringDecoder>

#include "platform/error.hpp"
#include "qt_sql/variant_text.hpp"

namespace cbo::qt_sql {

namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

// Text for Qt, refused rather than changed when it is not UTF-8: a typed
// value would otherwise be looked for with replacement characters in it.
QString FromUtf8(const std::string& text, const std::string& where) {
  QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (decode.hasError()) throw Error(ErrorKind::Database, where + ": the text \"" + text + "\" is not valid UTF-8");
  return decoded;
}

}  // namespace

QtLiveDatabase::QtLiveDatabase(const QSqlDatabase& db)
    : db_(db), where_("connection \"" + Utf8(db.connectionName()) + "\" (" + Utf8(db.driverName()) + ")") {
  if (!db_.isOpen())
    Fail("the connection is not open" +
         (db_.lastError().isValid() ? ": " + Utf8(db_.lastError().text()) : std::string()));
}

void QtLiveDatabase::Fail(const std::string& what) const { throw Error(ErrorKind::Database, where_ + ": " + what); }

void QtLiveDatabase::SetTimeLimit(int32_t milliseconds) {
  if (milliseconds <= 0)
    throw Error(ErrorKind::Database,
                "TimeLimit: " + std::to_string(milliseconds) + " ms is not a time limit (it must be above 0)");
  timeLimitMs_ = milliseconds;
}

std::vector<LiveRow> QtLiveDatabase::Query(const std::string& sql, std::span<const LiveParameter> parameters) {
  if (!db_.isOpen()) Fail("the connection is not open");
  QSqlQuery query(db_);
  query.setForwardOnly(true);
  auto failed = [&] { Fail(Utf8(query.lastError().text()) + Explained(query.lastError())); };
  const QString text = FromUtf8(sql, where_);
  QVariantList values;
  for (const LiveParameter& p : parameters)
    values.push_back(std::holds_alternative<int64_t>(p) ? QVariant(qlonglong{std::get<int64_t>(p)})
                                                        : QVariant(FromUtf8(std::get<std::string>(p), where_)));
  Starting();
  struct Finish {
    QtLiveDatabase& db;
    ~Finish() { db.Finished(); }
  } finish{*this};
  if (values.isEmpty()) {
    if (!query.exec(text)) failed();
  } else {
    if (!query.prepare(text)) failed();
    for (const QVariant& v : values) query.addBindValue(v);
    if (!query.exec()) failed();
  }
  std::vector<LiveRow> rows;
  const int columns = query.record().count();
  while (query.next()) {
    LiveRow& row = rows.emplace_back(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c)
      if (!valueText(query.value(c), row[static_cast<size_t>(c)]))
        Fail("column \"" + Utf8(query.record().fieldName(c)) + "\": binary data cannot be shown in the list");
  }
  // A statement stopped while its rows were read ends them early.
  if (query.lastError().isValid()) failed();
  return rows;
}

}  // namespace cbo::qt_sql
