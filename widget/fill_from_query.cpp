// The widget's fills from a Qt SQL query and from a Qt item model: the fills
// of qt_sql/ and fill/, their progress a signal, their cancelling a slot.
#include "qt_sql/fill_from_query.hpp"

#include <QAbstractItemModel>

#include "fill/buffered_fill.hpp"
#include "platform/error.hpp"
#include "qt_sql/variant_text.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace cbo {

template <class Fill>
bool CboVarnoWidget::RunFill(Fill&& fill) {
  // A slot connected to fillProgress may start another fill of this control:
  // a cancel reaches every fill under way, and is forgotten only when a fill
  // starts with none under way.
  if (fillsRunning_ == 0) fillCancelled_ = false;
  ++fillsRunning_;
  struct Running {
    int& count;
    ~Running() { --count; }
  } running{fillsRunning_};
  const FillProgress progress = [this](int64_t rows) {
    if (!fillCancelled_) emit fillProgress(rows);
    return !fillCancelled_;
  };
  const bool filled = fill(progress);
  NotifyQtNamed(QString());
  if (filled && fillsRunning_ == 1) ApplyPendingChoice();
  return filled;
}

bool CboVarnoWidget::fillFromQuery(QSqlQuery& query) {
  return RunFill([&](const FillProgress& progress) { return cbo::fillFromQuery(control(), query, progress); });
}

bool CboVarnoWidget::fillFromModel(const QAbstractItemModel& model, int role, const QModelIndex& parent) {
  return RunFill([&](const FillProgress& given) {
    const FillProgress progress = Paced(given);
    const int columns = model.columnCount(parent);
    std::vector<std::string> names;
    for (int c = 0; c < columns; ++c) names.push_back(model.headerData(c, Qt::Horizontal).toString().toStdString());
    RowBuffer rows(std::move(names));
    ReadProgress tell(progress);
    if (!tell.Start()) return false;
    const int count = model.rowCount(parent);
    for (int r = 0; r < count; ++r) {
      for (int c = 0; c < columns; ++c) {
        const QVariant value = model.data(model.index(r, c, parent), role);
        if (!appendValue(rows, value)) {
          const std::string what =
              value.typeId() == QMetaType::QByteArray
                  ? "binary data cannot be shown in the list"
                  : std::string("a ") + value.typeName() + " value has no text to show in the list";
          throw Error(ErrorKind::TypeMismatch, "fillFromModel: row " + std::to_string(r + 1) + ", column \"" +
                                                   rows.ColumnNames()[static_cast<size_t>(c)] + "\": " + what);
        }
      }
      if (!tell.RowsRead(r + 1)) return false;
    }
    return FillFromBuffer(control(), rows, progress);
  });
}

void CboVarnoWidget::cancelFill() {
  if (fillsRunning_ > 0) fillCancelled_ = true;
}

}  // namespace cbo
