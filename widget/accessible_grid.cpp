#include "widget/accessible_grid.hpp"

#include <QAbstractItemView>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "grid/frm_griglia.hpp"
#include "platform/error.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/grid.hpp"
#include "platform/qt/qt_platform.hpp"
#include "widget/accessibility.hpp"

namespace cbo::widget {

// --- Cells ---

bool AccessibleGridCell::isValid() const { return grid_.Alive(); }

QWindow* AccessibleGridCell::window() const { return grid_.window(); }

QAccessibleInterface* AccessibleGridCell::parent() const { return &grid_; }

QString AccessibleGridCell::text(QAccessible::Text t) const {
  if (t != QAccessible::Name) return QString();
  return row_ < 0 ? grid_.Caption(column_) : grid_.Value(row_, column_);
}

QRect AccessibleGridCell::rect() const { return row_ < 0 ? QRect() : grid_.CellRect(row_, column_); }

QAccessible::State AccessibleGridCell::state() const {
  QAccessible::State s;
  if (row_ < 0) return s;
  s.selectable = true;
  s.focusable = true;
  s.selected = isSelected();
  s.focused = s.selected && column_ == 0 && grid_.HasFocus();
  s.invisible = rect().isEmpty();
  s.offscreen = s.invisible;
  s.readOnly = true;
  return s;
}

void* AccessibleGridCell::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
  return nullptr;
}

QList<QAccessibleInterface*> AccessibleGridCell::columnHeaderCells() const {
  QAccessibleInterface* header = grid_.Header(column_);
  return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

bool AccessibleGridCell::isSelected() const { return row_ >= 0 && row_ == grid_.CurrentRow(); }

QAccessibleInterface* AccessibleGridCell::table() const { return &grid_; }

// --- The table ---

AccessibleGrid::AccessibleGrid(QWidget* view, Finder find) : QAccessibleWidget(view, QAccessible::Table), find_(find) {
  // Once the window is shown, the row the list opens on is announced.
  QTimer::singleShot(0, view, [this] { Moved(); });
}

AccessibleGrid::~AccessibleGrid() {
  Unsubscribe();
  for (const auto& [key, id] : cells_) QAccessible::deleteAccessibleInterface(id);
}

std::shared_ptr<FrmGriglia> AccessibleGrid::Griglia() const {
  if (auto griglia = griglia_.lock()) return griglia;
  std::shared_ptr<FrmGriglia> griglia = widget() ? find_(widget()) : nullptr;
  griglia_ = griglia;
  return griglia;
}

// The table the grid shows now (the list may be given another while open).
std::shared_ptr<Recordset> AccessibleGrid::Table() const {
  auto griglia = Griglia();
  std::shared_ptr<Recordset> table = griglia ? griglia->Rcset_Cbo_Griglia() : nullptr;
  if (table != table_.lock()) {
    Unsubscribe();
    table_ = table;
    if (table) subscription_ = table->Subscribe([this] { const_cast<AccessibleGrid*>(this)->Moved(); });
  }
  return table;
}

void AccessibleGrid::Unsubscribe() const {
  if (auto table = table_.lock()) table->Unsubscribe(subscription_);
  table_.reset();
  subscription_ = 0;
}

bool AccessibleGrid::Alive() const { return widget() && Table() != nullptr; }

std::vector<int> AccessibleGrid::ShownFields() const {
  std::vector<int> fields;
  auto griglia = Griglia();
  if (!griglia) return fields;
  const std::vector<ColumnDef>& defs = griglia->Matrice_V();
  for (size_t i = 0; i < defs.size() && i < griglia->Configurazione().NumMtCol; ++i) {
    if (defs[i].Visualizza_Colonna) fields.push_back(static_cast<int>(i));
  }
  return fields;
}

int AccessibleGrid::CurrentRow() const {
  auto table = Table();
  try {
    return table && table->State() == 1 ? table->Position() : -1;
  } catch (const Error&) {
    return -1;
  }
}

QString AccessibleGrid::Value(int row, int column) const {
  auto table = Table();
  const std::vector<int> fields = ShownFields();
  if (!table || column < 0 || column >= static_cast<int>(fields.size())) return QString();
  try {
    const Variant v = table->ValueAt(row, fields[column]);
    return v.IsNull() ? QString() : qt::ToQString(ToText(v, "cell"));
  } catch (const Error&) {
    return QString();
  }
}

QString AccessibleGrid::Caption(int column) const {
  auto griglia = Griglia();
  const std::vector<int> fields = ShownFields();
  if (!griglia || column < 0 || column >= static_cast<int>(fields.size())) return QString();
  return qt::ToQString(griglia->Matrice_V()[fields[column]].NomeColonna);
}

// The cell on screen, when its row is among the rows the grid shows.
QRect AccessibleGrid::CellRect(int row, int column) const {
  auto* view = qobject_cast<QTableView*>(widget());
  auto* model = view ? static_cast<qt::TableModel*>(view->model()) : nullptr;
  const std::vector<int> fields = ShownFields();
  if (!model || column < 0 || column >= static_cast<int>(fields.size())) return QRect();
  const int r = row - model->Top();
  if (r < 0 || r >= model->rowCount()) return QRect();
  const QRect cell = view->visualRect(model->index(r, fields[column]));
  if (cell.isEmpty()) return QRect();
  return QRect(view->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

bool AccessibleGrid::HasFocus() const { return widget() && widget()->hasFocus(); }

QString AccessibleGrid::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()) {
    if (QAccessibleInterface* window = QAccessible::queryAccessibleInterface(widget()->window()))
      return window->text(QAccessible::Name);
  }
  return QAccessibleWidget::text(t);
}

QAccessible::State AccessibleGrid::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.readOnly = true;
  // Rows on their way from a database: the grid is busy until they arrive.
  if (auto table = Table()) s.busy = table->State() == 1 && table->RowsPending();
  return s;
}

int AccessibleGrid::rowCount() const {
  auto table = Table();
  try {
    return table && table->State() == 1 ? table->RecordCount() : 0;
  } catch (const Error&) {
    return 0;
  }
}

int AccessibleGrid::columnCount() const { return static_cast<int>(ShownFields().size()); }

int AccessibleGrid::childCount() const {
  const qint64 n = qint64(rowCount()) * columnCount();
  return static_cast<int>(std::min<qint64>(n, INT_MAX));
}

QAccessibleInterface* AccessibleGrid::child(int index) const {
  const int columns = columnCount();
  if (index < 0 || columns == 0 || index >= childCount()) return nullptr;
  return Cell(index / columns, index % columns);
}

int AccessibleGrid::indexOfChild(const QAccessibleInterface* child) const {
  const auto* cell = child ? dynamic_cast<const AccessibleGridCell*>(child) : nullptr;
  if (!cell || cell->rowIndex() < 0) return -1;
  return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface* AccessibleGrid::childAt(int x, int y) const {
  const int current = CurrentRow();
  auto* view = qobject_cast<QTableView*>(widget());
  if (!view) return nullptr;
  auto* model = static_cast<qt::TableModel*>(view->model());
  const QPoint local = view->viewport()->mapFromGlobal(QPoint(x, y));
  const QModelIndex at = view->indexAt(local);
  if (!at.isValid()) return nullptr;
  const std::vector<int> fields = ShownFields();
  const auto column = std::find(fields.begin(), fields.end(), at.column());
  if (column == fields.end()) return nullptr;
  (void)current;
  return Cell(model->Top() + at.row(), static_cast<int>(column - fields.begin()));
}

void* AccessibleGrid::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

QAccessibleInterface* AccessibleGrid::cellAt(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
  return Cell(row, column);
}

QAccessibleInterface* AccessibleGrid::Header(int column) const {
  if (column < 0 || column >= columnCount()) return nullptr;
  return Cell(-1, column);
}

QAccessibleInterface* AccessibleGrid::Cell(int row, int column) const {
  const auto key = std::make_pair(row, column);
  auto it = cells_.find(key);
  if (it != cells_.end()) {
    if (QAccessibleInterface* cell = QAccessible::accessibleInterface(it->second)) return cell;
    cells_.erase(it);
  }
  auto* cell = new AccessibleGridCell(const_cast<AccessibleGrid&>(*this), row, column);
  cells_[key] = QAccessible::registerAccessibleInterface(cell);
  return cell;
}

QString AccessibleGrid::columnDescription(int column) const { return Caption(column); }

QString AccessibleGrid::rowDescription(int row) const { return QString::number(row + 1); }

int AccessibleGrid::selectedCellCount() const { return CurrentRow() >= 0 ? columnCount() : 0; }

QList<QAccessibleInterface*> AccessibleGrid::selectedCells() const {
  QList<QAccessibleInterface*> cells;
  const int current = CurrentRow();
  if (current < 0) return cells;
  for (int c = 0; c < columnCount(); ++c) cells << Cell(current, c);
  return cells;
}

int AccessibleGrid::selectedRowCount() const { return CurrentRow() >= 0 ? 1 : 0; }

QList<int> AccessibleGrid::selectedRows() const {
  const int current = CurrentRow();
  return current >= 0 ? QList<int>{current} : QList<int>{};
}

bool AccessibleGrid::isRowSelected(int row) const { return row >= 0 && row == CurrentRow(); }

// Only the cells of the rows on screen, the current row and the headers are
// kept.
void AccessibleGrid::Prune() const {
  auto* view = qobject_cast<QTableView*>(widget());
  if (!view) return;
  auto* model = static_cast<qt::TableModel*>(view->model());
  const int top = model->Top();
  const int bottom = top + model->rowCount();
  const int current = CurrentRow();
  for (auto it = cells_.begin(); it != cells_.end();) {
    const int row = it->first.first;
    if (row >= 0 && (row < top || row >= bottom) && row != current) {
      QAccessible::deleteAccessibleInterface(it->second);
      it = cells_.erase(it);
    } else {
      ++it;
    }
  }
}

// A reader hears each move as the row leaving the selection, the new row
// entering it and the focus coming to it, in that order. Qt's bridge tells
// a selection change of a cell as its selected state (the first cell of a
// row stands for the row); the table's own selection change follows.
void AccessibleGrid::Moved() {
  if (!QAccessible::isActive() || !Alive()) return;
  const int current = CurrentRow();
  if (columnCount() == 0) return;
  if (current != announced_) {
    if (announced_ >= 0 && announced_ < rowCount()) {
      QAccessibleEvent left(Cell(announced_, 0), QAccessible::SelectionRemove);
      QAccessible::updateAccessibility(&left);
    }
    announced_ = current;
    if (current >= 0) {
      QAccessibleEvent entered(Cell(current, 0), QAccessible::Selection);
      QAccessible::updateAccessibility(&entered);
    }
    QAccessibleEvent selection(this, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&selection);
    focusAnnounced_ = false;
  }
  Prune();
  if (current >= 0 && HasFocus() && !focusAnnounced_) {
    focusAnnounced_ = true;
    QAccessibleEvent focus(Cell(current, 0), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

// --- The window ---

AccessibleDropDown::AccessibleDropDown(QWidget* dialog) : QAccessibleWidget(dialog, QAccessible::Dialog) {}

QString AccessibleDropDown::text(QAccessible::Text t) const {
  QWidget* opener = ListOpener();
  if (t == QAccessible::Name && opener) {
    if (QAccessibleInterface* control = QAccessible::queryAccessibleInterface(opener))
      return control->text(QAccessible::Name);
  }
  return QAccessibleWidget::text(t);
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> AccessibleDropDown::relations(
    QAccessible::Relation match) const {
  auto rels = QAccessibleWidget::relations(match);
  QWidget* opener = ListOpener();
  if (opener && (match & QAccessible::Controller)) {
    if (QAccessibleInterface* control = QAccessible::queryAccessibleInterface(opener))
      rels.append({control, QAccessible::Controller});
  }
  return rels;
}

}  // namespace cbo::widget
