#include "qt_sql/fill_from_query.hpp"

#include "control/cbo_varno.hpp"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#include "fill/buffered_fill.hpp"
#include "platform/error.hpp"
#include "qt_sql/variant_text.hpp"

namespace cbo {

namespace {

std::string quotedQuery(const QSqlQuery& query) { return "\"" + query.lastQuery().toStdString() + "\""; }

[[noreturn]] void queryFailed(const QSqlQuery& query, const std::string& where = "") {
  std::string message = query.lastError().text().toStdString();
  if (message.empty()) message = "the query was not prepared, or it failed";
  throw Error(ErrorKind::Database, "query " + quotedQuery(query) + where + ": " + message);
}

// A query on a connection that is not open fails to prepare with no message
// of its own; the driver keeps the reason its opening failed, if it was tried.
void RequireOpenConnection(const QSqlQuery& query) {
  const QSqlDriver* driver = query.driver();
  if (driver && driver->isOpen()) return;
  std::string why = driver ? driver->lastError().text().toStdString() : std::string();
  if (why.empty()) why = "it was never opened, or it was closed";
  // Qt keeps no text of a query prepared on a closed connection.
  const std::string which = query.lastQuery().isEmpty() ? "" : "query " + quotedQuery(query) + ": ";
  throw Error(ErrorKind::Database, which + "the database connection is not open: " + why);
}

}  // namespace

std::optional<RowBuffer> readQuery(QSqlQuery& query, const FillProgress& progress) {
  RequireOpenConnection(query);
  if (!query.isActive()) {
    // A query that failed to prepare, or that the host ran and that failed,
    // says why; running it again would only hide that.
    if (query.lastError().type() != QSqlError::NoError) queryFailed(query);
    // A forward-only query keeps no copy of the rows already read.
    query.setForwardOnly(true);
    if (!query.exec()) queryFailed(query);
  }
  const QSqlRecord record = query.record();
  std::vector<std::string> names;
  for (int c = 0; c < record.count(); ++c) names.push_back(record.fieldName(c).toStdString());
  RowBuffer rows(std::move(names));
  const int columns = record.count();
  ReadProgress tell(progress);
  if (!tell.Start()) return std::nullopt;
  int64_t row = 0;
  while (query.next()) {
    ++row;
    for (int c = 0; c < columns; ++c) {
      if (query.isNull(c)) {
        rows.AppendNull();
      } else if (const QVariant value = query.value(c); !appendValue(rows, value)) {
        const std::string what = value.typeId() == QMetaType::QByteArray
                                     ? "binary data (a blob) cannot be shown in the list"
                                     : std::string("a ") + value.typeName() + " value has no text to show in the list";
        throw Error(ErrorKind::TypeMismatch, "query " + quotedQuery(query) + ", row " + std::to_string(row) +
                                                 ", column \"" + rows.ColumnNames()[static_cast<size_t>(c)] +
                                                 "\": " + what);
      }
    }
    if (!tell.RowsRead(row)) return std::nullopt;
  }
  // next() also ends when the driver fails in the middle of the rows.
  if (query.lastError().type() != QSqlError::NoError) queryFailed(query, ", row " + std::to_string(row + 1));
  return rows;
}

bool fillFromQuery(CboVarno& control, QSqlQuery& query, const FillProgress& progress) {
  const FillProgress paced = Paced(progress);
  std::optional<RowBuffer> rows = readQuery(query, paced);
  return rows && FillFromBuffer(control, *rows, paced);
}

}  // namespace cbo
