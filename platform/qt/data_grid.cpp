// The data grid's binding, geometry, columns and current row.
#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/error.hpp"
#include "platform/grid_navigation.hpp"
#include "platform/qt/grid.hpp"

namespace cbo::qt {

// --- Columns ---

void QtGridColumn::SetDataField(const std::string& v) {
  dataField_ = v;
  ResolveField();
  grid_.Refresh();
}

// The field the column shows: its data field by name, letter case ignored;
// none (empty cells) for a name the table does not have.
void QtGridColumn::ResolveField() {
  field_ = -1;
  const DataSourceRef& table = grid_.Table();
  if (!table || table->State() != 1) return;
  field_ = table->FieldNumber(dataField_);
}

void QtGridColumn::SetVisible(bool v) {
  visible_ = v;
  Apply();
}

void QtGridColumn::SetWidth(float v) {
  if (v < 0) throw Error(ErrorKind::Widget, "Width: invalid property value " + FormatNumber(v));
  widthPx_ = ToPixels(v, ScaleOf(grid_.widget()));
  Apply();
}

float QtGridColumn::Width() const { return static_cast<float>(ToTwips(widthPx_, ScaleOf(grid_.widget()))); }

void QtGridColumn::SetDividerStyle(int32_t v) {
  divider_ = v;
  if (grid_.widget()) grid_.widget()->viewport()->update();
}

void QtGridColumn::SetAlignment(int32_t v) {
  alignment_ = v;
  grid_.Refresh();
}

void QtGridColumn::SetAllowSizing(bool v) {
  sizing_ = v;
  Apply();
}

void QtGridColumn::SetWrapText(bool v) {
  wrap_ = v;
  if (grid_.widget()) grid_.widget()->viewport()->update();
}

void QtGridColumn::Apply() {
  GridView* view = grid_.widget();
  if (!view) return;
  QtDataGrid::Applying_ applying(grid_);
  view->setColumnHidden(index_, !visible_);
  if (visible_) view->setColumnWidth(index_, widthPx_);
  view->horizontalHeader()->setSectionResizeMode(index_, sizing_ ? QHeaderView::Interactive : QHeaderView::Fixed);
}

// --- Grid ---

QtDataGrid::QtDataGrid(QtPlatform& platform, QWidget* parent)
    : QtWidget(platform, new GridView(platform, parent)), font_(MakeFont("DejaVu Sans", 8.25)) {
  model_ = new TableModel(*this, w_);
  w_->SetOwner(this);
  w_->setModel(model_);
  w_->setItemDelegate(new CellDelegate(*this, w_));
  QObject::connect(w_->selectionModel(), &QItemSelectionModel::currentRowChanged, w_,
                   [this](const QModelIndex& current, const QModelIndex&) {
                     if (current.isValid()) ViewRowChanged(current.row());
                   });
  QObject::connect(w_->horizontalHeader(), &QHeaderView::sectionResized, w_, [this](int, int, int) {
    GridView* view = widget();
    if (Applying() || !view) return;
    auto layout = view->Events().LayoutChanged;
    if (layout) platform_.Deliver(view, "DataGrid.LayoutChanged", layout);
  });
  w_->setFont(ToQFont(*font_, w_->font(), Scale()));
  rowPx_ = ToPixels(225, Scale());
  ApplyRowPitch();
  ApplyHeaders();
  ApplyColours();
  w_->setVisible(true);
}

QtDataGrid::~QtDataGrid() {
  Unbind();
  if (w_) w_->SetOwner(nullptr);
}

void QtDataGrid::Unbind() {
  if (table_) table_->Unsubscribe(subscription_);
  table_.reset();
  subscription_ = 0;
  if (w_) model_->SetTable(nullptr);
  columns_.clear();
}

void QtDataGrid::SetDataSource(DataSourceRef table) {
  // Read the fields first: a table that cannot be read leaves the grid as it was.
  std::vector<std::string> fields;
  if (table) {
    const int32_t count = table->FieldCount();
    for (int32_t i = 0; i < count; ++i) fields.push_back(table->FieldName(i));
  }
  Unbind();
  if (!table || !w_) return;
  table_ = std::move(table);
  for (size_t i = 0; i < fields.size(); ++i) {
    auto column = std::make_unique<QtGridColumn>(*this, static_cast<int>(i), fields[i]);
    columns_.push_back(std::move(column));
  }
  for (auto& column : columns_) column->ResolveField();
  model_->SetTable(table_);
  for (auto& column : columns_) column->Apply();
  subscription_ = table_->Subscribe([this] { FollowTable(); });
  FollowTable();
}

QtGridColumn* QtDataGrid::ColumnAt(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= columns_.size()) return nullptr;
  return columns_[static_cast<size_t>(index)].get();
}

IGridColumn& QtDataGrid::Column(int32_t index) {
  QtGridColumn* column = ColumnAt(index);
  if (!column) {
    throw Error(ErrorKind::SubscriptOutOfRange, "Columns(" + std::to_string(index) + "): subscript out of range");
  }
  return *column;
}

// --- Looks ---

void QtDataGrid::SetFont(FontRef f) {
  font_ = std::move(f);
  if (w_ && font_) w_->setFont(ToQFont(*font_, w_->font(), Scale()));
}

void QtDataGrid::SetBackColor(Colour c) {
  back_ = c;
  ApplyColours();
}

void QtDataGrid::SetForeColor(Colour c) {
  fore_ = c;
  ApplyColours();
}

QColor QtDataGrid::TextColour() const {
  return ResolveColour(fore_, w_ ? QApplication::palette(w_) : QApplication::palette());
}

void QtDataGrid::ApplyColours() {
  if (!w_) return;
  QPalette p = QApplication::palette(w_);
  const QPalette base = p;
  p.setColor(QPalette::Base, ResolveColour(back_, base));
  p.setColor(QPalette::Text, ResolveColour(fore_, base));
  w_->setPalette(p);
}

void QtDataGrid::SetRecordSelectors(bool v) {
  recordSelectors_ = v;
  ApplyHeaders();
}

void QtDataGrid::SetColumnHeaders(bool v) {
  columnHeaders_ = v;
  ApplyHeaders();
}

void QtDataGrid::SetHeadLines(float v) {
  if (v < 0) throw Error(ErrorKind::Widget, "HeadLines: invalid property value " + FormatNumber(v));
  headLines_ = v;
  ApplyHeaders();
}

void QtDataGrid::ApplyHeaders() {
  if (!w_) return;
  auto* band = static_cast<FixedHeader*>(w_->horizontalHeader());
  auto* selectors = static_cast<FixedHeader*>(w_->verticalHeader());
  // Each header line is 200 twips high; the record selectors are 315 wide.
  band->SetExtent(ToPixels(headLines_ * 200.0, Scale()));
  band->setVisible(columnHeaders_);
  selectors->SetExtent(ToPixels(315, Scale()));
  selectors->setVisible(recordSelectors_);
  FollowTable();
}

void QtDataGrid::SetDividerStyle(int32_t v) {
  divider_ = v;
  ApplyRowPitch();
}

void QtDataGrid::SetRowHeight(float v) {
  if (v < 0) throw Error(ErrorKind::Widget, "RowHeight: invalid property value " + FormatNumber(v));
  rowPx_ = ToPixels(v, Scale());  // a row is a whole number of pixels high
  ApplyRowPitch();
}

// Each row takes its height plus its divider.
void QtDataGrid::ApplyRowPitch() {
  if (!w_) return;
  w_->SetRowPitch(std::max(1, rowPx_ + DividerPixels(divider_)));
  FollowTable();
}

void QtDataGrid::SetHeight(double v) {
  QtWidget::SetHeight(v);
  FollowTable();
}

// --- The current row ---

// The window keeps the current row in view: it moves just far enough to
// show it at its top or bottom edge, as a view scrolls to an item.
void QtDataGrid::FollowTable() {
  if (!w_ || syncing_) return;
  const int position = table_ && table_->State() == 1 ? table_->Position() : -1;
  int top = model_->Top();
  const int shown = std::max(1, VisibleRows());
  if (position >= 0 && position < top) top = position;
  if (position >= 0 && position >= top + shown) top = position - shown + 1;
  model_->Show(top);
  ShowCurrent();
}

void QtDataGrid::ScrollTo(int top) {
  if (!w_ || top == model_->Top()) return;
  model_->Show(top);
  ShowCurrent();
}

void QtDataGrid::ShowCurrent() {
  if (!w_ || syncing_) return;
  syncing_ = true;
  const int position = table_ && table_->State() == 1 ? table_->Position() : -1;
  const int row = position - model_->Top();
  QItemSelectionModel* selection = w_->selectionModel();
  if (position >= 0 && row >= 0 && row < model_->rowCount()) {
    int column = 0;
    while (column < model_->columnCount() && w_->isColumnHidden(column)) ++column;
    const QModelIndex index = model_->index(row, std::min(column, std::max(0, model_->columnCount() - 1)));
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    // Scrolled away from the current row, or none: nothing is highlighted.
    selection->clear();
  }
  const int rows = table_ && table_->State() == 1 ? table_->RecordCount() : 0;
  w_->SetScroll(rows, VisibleRows(), model_->Top());
  syncing_ = false;
}

// The navigation keys move the table's current row as on every platform
// (grid_navigation.hpp); a page is the rows that fit.
bool QtDataGrid::Navigate(int16_t keyCode) {
  if (!IsGridNavigationKey(keyCode)) return false;
  if (!table_ || table_->State() != 1) return true;
  const int64_t count = table_->RecordCount();
  if (count == 0) return true;
  const int64_t current = table_->Position();
  const int64_t target = *GridKeyTarget(keyCode, current, count, std::max(1, VisibleRows()));
  if (target != current) table_->MoveTo(static_cast<int32_t>(target));  // the table tells everyone, the grid included
  return true;
}

void QtDataGrid::ViewRowChanged(int row) {
  if (syncing_ || !table_ || table_->State() != 1) return;
  const int position = model_->Top() + row;
  if (position == table_->Position()) return;
  GridView* view = w_.data();
  // The table tells everyone, the grid included.
  platform_.Deliver(view, "DataGrid.RowChanged", [this, position] { table_->MoveTo(position); });
}

int QtDataGrid::TopRow() const { return model_->Top(); }

void QtDataGrid::ShowBusy(bool busy) {
  if (busy == busy_ || !w_) return;
  busy_ = busy;
  QWidget* viewport = w_->viewport();
  if (!busyNotice_) {
    busyNotice_ = new QLabel(QObject::tr("Reading rows\u2026"), viewport);
    busyNotice_->setAccessibleName(busyNotice_->text());
    busyNotice_->setAutoFillBackground(true);
    busyNotice_->setFrameShape(QFrame::StyledPanel);
    busyNotice_->setMargin(ToPixels(60, Scale()));
  }
  if (busy) {
    busyNotice_->adjustSize();
    const QRect area = viewport->rect();
    busyNotice_->move(area.center() - busyNotice_->rect().center());
    busyNotice_->show();
    busyNotice_->raise();
    viewport->setCursor(Qt::BusyCursor);
  } else {
    busyNotice_->hide();
    viewport->unsetCursor();
  }
  // Screen readers hear that the grid became busy, or is no longer.
  QAccessible::State changed;
  changed.busy = true;
  QAccessibleStateChangeEvent event(w_, changed);
  QAccessible::updateAccessibility(&event);
}

void QtDataGrid::ReportReadFailure(const Error& failure) {
  if (w_) platform_.Deliver(w_, "ReadRows", [&] { throw failure; });
}

int QtDataGrid::VisibleRows() const {
  if (!w_) return 0;
  const int pitch = w_->verticalHeader()->defaultSectionSize();
  if (pitch <= 0) return 0;
  return w_->viewport()->height() / pitch;
}

int QtDataGrid::WindowRows() const {
  if (!w_) return 0;
  const int pitch = w_->verticalHeader()->defaultSectionSize();
  if (pitch <= 0) return 0;
  return (w_->viewport()->height() + pitch - 1) / pitch;
}

int16_t QtDataGrid::Row() const {
  if (!table_) throw Error(ErrorKind::Widget, "Row: the grid is not bound to a table");
  const int32_t current = table_->Position();
  if (current < 0) throw Error(ErrorKind::Widget, "Row: there is no current row");
  return NarrowToInteger(current - TopRow(), "Row");
}

void QtDataGrid::SetRow(int16_t row) {
  if (!table_) throw Error(ErrorKind::Widget, "Row: the grid is not bound to a table");
  if (row < 0) throw Error(ErrorKind::Widget, "Row: invalid property value " + std::to_string(row));
  const int top = TopRow();
  if (row >= VisibleRows() || top + row >= table_->RecordCount()) {
    throw Error(ErrorKind::Widget, "Row: " + std::to_string(row) + " is past the last row shown");
  }
  table_->MoveTo(top + row);
}

void QtDataGrid::Refresh() {
  if (!w_) return;
  FollowTable();
  w_->viewport()->update();
}

void QtDataGrid::SetFocus() {
  if (w_) w_->setFocus(Qt::OtherFocusReason);
}

void QtDataGrid::SetEvents(GridEvents events) {
  if (w_) w_->SetEvents(std::move(events));
}

}  // namespace cbo::qt
