#pragma once
// What assistive technology is told about the open drop-down: a window named
// after the control it drops down from and controlled by it, holding a table
// of the whole list (every row of the table, the shown columns only, headed
// by their captions) whose current row is selected and focused; every move
// is told as the old row unselected, the new one selected, then focused.
// Cells are made when asked for and dropped when they leave the rows on
// screen, so nothing is kept per row of the list.
#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

namespace cbo {
class FrmGriglia;
class Recordset;
}  // namespace cbo

namespace cbo::widget {

class AccessibleGrid;

class AccessibleGridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
  // A cell at a table position and a shown column; column -1: that column's header.
  AccessibleGridCell(AccessibleGrid& grid, int row, int column) : grid_(grid), row_(row), column_(column) {}
  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  // QAccessibleTableCellInterface
  int columnExtent() const override { return 1; }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  int columnIndex() const override { return column_; }
  int rowExtent() const override { return 1; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int rowIndex() const override { return row_; }
  bool isSelected() const override;
  QAccessibleInterface* table() const override;

  int Row() const { return row_; }

private:
  AccessibleGrid& grid_;
  int row_, column_;
};

class AccessibleGrid : public QAccessibleWidget, public QAccessibleTableInterface {
public:
  // `find` gives the drop-down whose grid `view` is, once there is one.
  using Finder = std::shared_ptr<FrmGriglia> (*)(const QWidget* view);
  AccessibleGrid(QWidget* view, Finder find);
  ~AccessibleGrid() override;

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int columnCount() const override;
  int rowCount() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override;
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override;
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int row) const override;
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  // --- Used by the cells. ---
  bool Alive() const;
  int CurrentRow() const;  // the table's current position, -1 at its end
  QString Value(int row, int column) const;
  QString Caption(int column) const;
  QRect CellRect(int row, int column) const;
  bool HasFocus() const;
  QAccessibleInterface* Header(int column) const;

private:
  // The table's fields of the shown columns, in their order.
  std::vector<int> ShownFields() const;
  QAccessibleInterface* Cell(int row, int column) const;
  // The table moved: the new current cell is selected and focused.
  void Moved();
  // Drops the cells of rows no longer on screen.
  void Prune() const;
  // Finds the drop-down and its table, and follows the table's moves.
  std::shared_ptr<FrmGriglia> Griglia() const;
  std::shared_ptr<Recordset> Table() const;
  void Unsubscribe() const;
  Finder find_;
  mutable std::weak_ptr<FrmGriglia> griglia_;
  mutable std::weak_ptr<Recordset> table_;
  mutable int subscription_ = 0;
  int announced_ = -1;           // the row last announced as selected
  bool focusAnnounced_ = false;  // and whether as focused too
  mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

// The drop-down window: a dialog named after the control whose list is
// open, which controls it.
class AccessibleDropDown : public QAccessibleWidget {
public:
  explicit AccessibleDropDown(QWidget* dialog);
  QString text(QAccessible::Text t) const override;
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match = QAccessible::AllRelations) const override;
};

}  // namespace cbo::widget
