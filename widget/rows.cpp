// Columns and rows the Qt way: addColumn with the width in pixels and its
// options by name, addRow from a QVariantList or a QVariantMap, each row
// going in as a fill of one row, so that its values are converted as a
// query's are and it goes in whole or not at all.
#include <QStringList>
#include <algorithm>

#include "fill/row_buffer.hpp"
#include "list/list_store.hpp"
#include "platform/error.hpp"
#include "platform/qt/convert.hpp"
#include "qt_sql/variant_text.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace cbo {

namespace {

int32_t AlignmentOf(Qt::Alignment a) {
  if (a & Qt::AlignHCenter) return Centro;
  if (a & Qt::AlignRight) return Destra;
  return Sinistra;
}

// The list's column names, in order.
std::vector<std::string> ColumnNames(CboVarno& control) {
  std::vector<std::string> names;
  const ListStore& list = control.Lista();
  for (size_t c = 0; c < list.NumMtCol() && c < list.Matrice_Campi().size(); ++c)
    names.push_back(list.Matrice_Campi()[c].Nome_Field);
  if (names.empty()) throw Error(ErrorKind::Widget, "addRow: the list has no columns yet; add them with addColumn");
  return names;
}

void Append(RowBuffer& row, const QVariant& value, const std::string& column) {
  if (appendValue(row, value)) return;
  throw Error(ErrorKind::TypeMismatch, "addRow: column \"" + column + "\": a " + std::string(value.typeName()) +
                                           " value has no text to show in the list");
}

}  // namespace

void CboVarnoWidget::addColumn(const QString& name, const QString& caption, int widthPixels,
                               const ColumnOptions& options) {
  if (widthPixels < 0)
    throw Error(ErrorKind::Widget, "addColumn: column \"" + qt::FromQString(name) + "\": width " +
                                       std::to_string(widthPixels) + " pixels is negative");
  const std::string field = qt::FromQString(name);
  control().AddField(field, caption.isEmpty() ? field : qt::FromQString(caption), options.visible,
                     widthPixels * qt::kTwipsPerPixel, options.divider, qt::FromQString(options.format),
                     AlignmentOf(options.alignment), options.resizable, options.wrapText, options.sortable);
}

void CboVarnoWidget::addColumn(const QString& name, const QString& caption, int widthPixels) {
  addColumn(name, caption, widthPixels, ColumnOptions());
}

void CboVarnoWidget::addRow(const QVariantList& values) {
  std::vector<std::string> names = ColumnNames(control());
  if (static_cast<size_t>(values.size()) != names.size()) {
    std::string list;
    for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
    throw Error(ErrorKind::Widget, "addRow: " + std::to_string(values.size()) + " values for the " +
                                       std::to_string(names.size()) + " columns " + list);
  }
  RowBuffer row(names);
  for (size_t c = 0; c < names.size(); ++c) Append(row, values.at(static_cast<qsizetype>(c)), names[c]);
  control().AddRows(row);
  NotifyQtNamed(QString());
}

void CboVarnoWidget::addRow(const QVariantMap& values) {
  std::vector<std::string> names = ColumnNames(control());
  // Every key names a column; a column no key names is Null.
  for (auto it = values.begin(); it != values.end(); ++it) {
    const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
      return QString::compare(qt::ToQString(n), it.key(), Qt::CaseInsensitive) == 0;
    });
    if (!known) throw Error(ErrorKind::Table, "addRow: no column is named \"" + qt::FromQString(it.key()) + "\"");
  }
  RowBuffer row(names);
  for (const std::string& n : names) {
    QVariant value;
    for (auto it = values.begin(); it != values.end(); ++it)
      if (QString::compare(qt::ToQString(n), it.key(), Qt::CaseInsensitive) == 0) value = it.value();
    Append(row, value, n);
  }
  control().AddRows(row);
  NotifyQtNamed(QString());
}

}  // namespace cbo
