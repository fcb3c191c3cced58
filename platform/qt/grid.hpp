#pragma once
// The data grid on a QTableView over a window of the bound table: the model
// holds only the rows on screen, from the table position at the top of the
// view, so that no Qt structure keeps anything per table row and opening the
// grid costs the same at any number of rows. The view's vertical scroll bar
// is the grid's own, in table positions; the view itself never scrolls
// vertically. The table's current row and the view's current row follow each
// other.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <memory>
#include <vector>

#include "platform/data_grid.hpp"
#include "platform/qt/keys.hpp"
#include "platform/qt/widget_base.hpp"

namespace cbo::qt {

class QtDataGrid;

// The runs of a cell's characters to highlight (DataSource::Highlights), as
// a list of QPoint(start, length) in code points.
constexpr int kHighlightRole = Qt::UserRole + 1;

// The rows on screen as Qt's views see them: row r of the model is the
// table's row at position Top() + r in the present order; one column per field.
// Rows a table reads in the background (DataSource::ReadAhead) are asked
// for as the window shows them and are empty cells until they arrive; the
// grid shows that it is busy when they take longer than kBusyAfterMs.
class TableModel : public QAbstractTableModel {
public:
  static constexpr int kBusyAfterMs = 100;
  TableModel(QtDataGrid& grid, QObject* parent);
  ~TableModel() override;
  void SetTable(DataSourceRef table);
  const DataSourceRef& Table() const { return table_; }
  // The table position shown in the model's first row.
  int Top() const { return top_; }
  // Shows the rows from `top` (kept within the table, no further down than
  // the last page) and reads them again: a reset when the number of rows in
  // the window or of fields changed, otherwise a change of the cells shown.
  void Show(int top);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
  bool Open() const { return table_ && table_->State() == 1; }
  // Asks for the window's rows that are not at hand.
  void ReadWindow();
  // Rows of the window are being read and are not at hand yet.
  bool Waiting() const;
  // The busy state after kBusyAfterMs of Waiting, gone when it ends.
  void FollowWaiting();
  // Rows arrived, or their read failed (reported as a handler's failure).
  void RowsRead(const Error* failure);
  void Refresh();
  QtDataGrid& grid_;
  DataSourceRef table_;
  int top_ = 0;
  int rows_ = 0, columns_ = 0;  // the counts as the view was last told them
  QTimer busyAfter_;
};

// A header of a fixed extent: the header band's height, the record
// selectors' width.
class FixedHeader : public QHeaderView {
public:
  FixedHeader(Qt::Orientation o, QWidget* parent) : QHeaderView(o, parent) {}
  void SetExtent(int px);
  QSize sizeHint() const override;

private:
  int extent_ = 0;
};

// Draws each cell and its dividers: the row's divider along the bottom of the
// row, the column's divider along the right edge of the column, each inside
// the cell's own pixels.
class CellDelegate : public QStyledItemDelegate {
public:
  CellDelegate(QtDataGrid& grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
  // The cell's text with its highlighted runs marked, over the background
  // the style draws.
  void PaintHighlighted(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                        const QVariantList& runs) const;
  QtDataGrid& grid_;
};

class GridView : public QTableView, public Detachable {
public:
  GridView(QtPlatform& platform, QWidget* parent);
  void Detach() override;
  // Makes every row px high, the record selectors included.
  void SetRowPitch(int px);
  // The vertical scroll bar over `rows` table rows of which `shown` fit, at `top`.
  void SetScroll(int rows, int shown, int top);
  // The handlers and the data grid the view serves, set by that QtDataGrid.
  const GridEvents& Events() const { return events_; }
  void SetEvents(GridEvents events) { events_ = std::move(events); }
  void SetOwner(QtDataGrid* owner) { owner_ = owner; }
  // The user gave up the drop-down without using the grid (a click outside
  // its window): the window's handlers hear the Escape key.
  void Cancel();

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  // The view's rows are the rows on screen, not the list's: its own
  // accessibility events, which would name them, are not sent.
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  GridEvents events_;
  QtDataGrid* owner_ = nullptr;
  static bool IsCloseKey(int16_t keyCode, Qt::KeyboardModifiers mods);
  bool Run(const char* member, const std::function<void()>& handler);
  // A mouse report with X, Y in twips from the grid's top-left corner.
  void Mouse(const char* member, const MouseHandler& handler, QPoint gridPos, Qt::KeyboardModifiers mods,
             int16_t button);
  QtPlatform& platform_;
  bool detached_ = false;
  int scrollRows_ = 0, scrollShown_ = 0, scrollTop_ = 0;  // as the grid last set the scroll bar
};

class QtGridColumn : public IGridColumn {
public:
  QtGridColumn(QtDataGrid& grid, int index, std::string field)
      : grid_(grid), index_(index), dataField_(std::move(field)) {}
  std::string DataField() const override { return dataField_; }
  void SetDataField(const std::string& v) override;
  bool Visible() const override { return visible_; }
  void SetVisible(bool v) override;
  // Whole pixels, read back in twips.
  float Width() const override;
  void SetWidth(float v) override;
  int32_t DividerStyle() const override { return divider_; }
  void SetDividerStyle(int32_t v) override;
  std::string NumberFormat() const override { return format_; }
  void SetNumberFormat(const std::string& v) override { format_ = v; }
  // Cells are never edited, locked or not.
  bool Locked() const override { return locked_; }
  void SetLocked(bool v) override { locked_ = v; }
  int32_t Alignment() const override { return alignment_; }
  void SetAlignment(int32_t v) override;
  bool AllowSizing() const override { return sizing_; }
  void SetAllowSizing(bool v) override;
  bool WrapText() const override { return wrap_; }
  void SetWrapText(bool v) override;

  int Field() const { return field_; }
  void ResolveField();
  // Applies the width, visibility and sizing to the view.
  void Apply();

private:
  QtDataGrid& grid_;
  int index_;
  std::string dataField_;
  int field_ = -1;
  bool visible_ = true;
  int widthPx_ = 67;
  int32_t divider_ = 2;
  std::string format_;
  bool locked_ = false;
  int32_t alignment_ = 0;
  bool sizing_ = true, wrap_ = false;
};

// The thickness in pixels of a divider style, and whether it draws at all.
int DividerPixels(int32_t style);

class QtDataGrid : public QtWidget<IDataGrid, GridView> {
public:
  QtDataGrid(QtPlatform& platform, QWidget* parent);
  ~QtDataGrid() override;
  void SetDataSource(DataSourceRef table) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override;
  Colour ForeColor() const override { return fore_; }
  void SetForeColor(Colour c) override;
  bool RecordSelectors() const override { return recordSelectors_; }
  void SetRecordSelectors(bool v) override;
  int32_t DividerStyle() const override { return divider_; }
  void SetDividerStyle(int32_t v) override;
  bool ColumnHeaders() const override { return columnHeaders_; }
  void SetColumnHeaders(bool v) override;
  float HeadLines() const override { return headLines_; }
  void SetHeadLines(float v) override;
  float RowHeight() const override { return static_cast<float>(ToTwips(rowPx_, Scale())); }
  void SetRowHeight(float v) override;
  void SetHeight(double v) override;
  int32_t ColumnCount() const override { return static_cast<int32_t>(columns_.size()); }
  IGridColumn& Column(int32_t index) override;
  int16_t Row() const override;
  void SetRow(int16_t row) override;
  std::string Tag() const override { return tag_; }
  void SetTag(const std::string& v) override { tag_ = v; }
  void Refresh() override;
  void SetFocus() override;
  void SetEvents(GridEvents events) override;
  void Restyle() override { ApplyColours(); }

  // --- Used by the model, the delegate, the view and the columns. ---
  QtGridColumn* ColumnAt(int index) const;
  const DataSourceRef& Table() const { return table_; }
  QColor TextColour() const;
  // Makes the view's current row the table's, scrolled into view.
  void FollowTable();
  // The view's current row is the table's when the window holds it; the
  // window stays where it is.
  void ShowCurrent();
  // The user scrolled: the rows from table position `top` are shown, the
  // current row stays where it is.
  void ScrollTo(int top);
  // A navigation key (Up, Down, PageUp, PageDown, Home, End) moves the
  // table's current row; false for any other key.
  bool Navigate(int16_t keyCode);
  // The view moved its current row (a row of the window): the table follows.
  void ViewRowChanged(int row);
  bool Applying() const { return applying_ > 0; }
  // While set, a move of the view's current row is the grid's own and does
  // not move the table.
  void SetSyncing(bool v) { syncing_ = v; }
  // While the grid itself changes column widths, the layout notification is
  // not the user's and is not reported.
  struct Applying_ {
    QtDataGrid& g;
    explicit Applying_(QtDataGrid& grid) : g(grid) { ++g.applying_; }
    ~Applying_() { --g.applying_; }
  };
  // Rows that fit below the header band, the rows the window holds (a
  // partly shown last row included), and the table position of the first row shown.
  int VisibleRows() const;
  int WindowRows() const;
  int TopRow() const;
  // The view came on screen: the rows of its window are asked for (a
  // hidden grid asks for none).
  void Shown() { model_->Show(model_->Top()); }
  // The grid says that it is reading rows: a notice over its cells and a
  // busy cursor.
  void ShowBusy(bool busy);
  bool Busy() const { return busy_; }
  // A background read of rows failed: reported as a failed handler of the
  // grid's ("ReadRows").
  void ReportReadFailure(const Error& failure);

private:
  void ApplyRowPitch();
  void ApplyHeaders();
  void ApplyColours();
  void Unbind();
  TableModel* model_;
  DataSourceRef table_;
  int subscription_ = 0;
  std::vector<std::unique_ptr<QtGridColumn>> columns_;
  FontRef font_;
  Colour back_ = 0x80000005u, fore_ = 0x80000008u;
  bool recordSelectors_ = true, columnHeaders_ = true;
  int32_t divider_ = 2;
  float headLines_ = 1;
  int rowPx_ = 15;
  std::string tag_;
  bool busy_ = false;
  QPointer<QLabel> busyNotice_;
  bool syncing_ = false;
  int applying_ = 0;
};

}  // namespace cbo::qt
