// The data grid's binding, geometry and scrolling. What the user does to it
// is in data_grid_user.cpp.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "platform/variant.hpp"

namespace cbo::headless {

namespace {

// The thickness of the line between two rows for each divider style, twips.
double DividerThickness(int32_t style) {
  switch (style) {
    case 1:
    case 2:
    case 5:
    case 6: return 15;
    case 3:
    case 4: return 30;
    default: return 0;
  }
}

}  // namespace

HeadlessDataGrid::HeadlessDataGrid(HeadlessPlatform& p, Node* parent)
    : Widget(p, parent), font_(MakeFont("DejaVu Sans", 8.25)) {}

HeadlessDataGrid::~HeadlessDataGrid() { Unbind(); }

// --- Binding ---

void HeadlessDataGrid::SetDataSource(DataSourceRef table) {
  // Read the fields first: a table that cannot be read leaves the grid as it was.
  std::vector<std::string> fields;
  if (table) {
    int32_t count = table->FieldCount();
    for (int32_t i = 0; i < count; ++i) fields.push_back(table->FieldName(i));
  }
  Unbind();
  if (!table) return;
  table_ = std::move(table);
  subscription_ = table_->Subscribe([this] { Follow(); });
  for (const std::string& field : fields) {
    auto column = std::make_unique<HeadlessGridColumn>();
    column->SetDataField(field);
    columns_.push_back(std::move(column));
  }
  Follow();
}

void HeadlessDataGrid::Unbind() {
  if (table_) table_->Unsubscribe(subscription_);
  table_.reset();
  subscription_ = 0;
  columns_.clear();
  topRow_ = 0;
}

int32_t HeadlessDataGrid::ColumnCount() const { return static_cast<int32_t>(columns_.size()); }

IGridColumn& HeadlessDataGrid::Column(int32_t index) {
  if (index < 0 || index >= ColumnCount()) {
    throw Error(ErrorKind::SubscriptOutOfRange, "Columns(" + std::to_string(index) + "): subscript out of range");
  }
  return *columns_[static_cast<size_t>(index)];
}

// --- Geometry ---

void HeadlessDataGrid::SetRowHeight(float v) {
  if (!(v >= 0)) throw Error(ErrorKind::Widget, "RowHeight: invalid property value " + FormatNumber(v));
  rowHeight_ = static_cast<float>(WholePixels(v));  // a row is a whole number of pixels high
  Follow();
}

void HeadlessDataGrid::SetHeight(double v) {
  height = v;
  Follow();
}

void HeadlessDataGrid::SetDividerStyle(int32_t v) {
  divider_ = v;
  Follow();
}

void HeadlessDataGrid::SetColumnHeaders(bool v) {
  columnHeaders_ = v;
  Follow();
}

void HeadlessDataGrid::SetHeadLines(float v) {
  headLines_ = v;
  Follow();
}

double HeadlessDataGrid::HeaderBand() const { return columnHeaders_ ? headLines_ * 200.0 : 0.0; }

double HeadlessDataGrid::RowPitch() const { return rowHeight_ + DividerThickness(divider_); }

int32_t HeadlessDataGrid::VisibleRows() const {
  double pitch = RowPitch();
  if (pitch <= 0) return 0;
  double rows = std::floor((height - HeaderBand()) / pitch);
  if (!(rows > 0)) return 0;
  return rows >= std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(rows);
}

// --- Scrolling ---

int32_t HeadlessDataGrid::ScrolledTop() const {
  if (!Bound()) return 0;
  int32_t count = table_->RecordCount();
  int32_t top = std::clamp(topRow_, 0, std::max(0, count - 1));
  int32_t current = table_->Position();
  if (current < 0) return top;
  int32_t shown = VisibleRows();
  if (current < top || shown == 0) return current;
  if (current - top >= shown) return current - shown + 1;
  return top;
}

int32_t HeadlessDataGrid::TopRow() const { return ScrolledTop(); }

void HeadlessDataGrid::Follow() { topRow_ = ScrolledTop(); }

void HeadlessDataGrid::Refresh() { Follow(); }

// --- The current row ---

int16_t HeadlessDataGrid::Row() const {
  if (!table_) throw Error(ErrorKind::Widget, "Row: the grid is not bound to a table");
  int32_t current = table_->Position();
  if (current < 0) throw Error(ErrorKind::Widget, "Row: there is no current row");
  return NarrowToInteger(current - ScrolledTop(), "Row");
}

void HeadlessDataGrid::SetRow(int16_t row) {
  if (!table_) throw Error(ErrorKind::Widget, "Row: the grid is not bound to a table");
  if (row < 0) throw Error(ErrorKind::Widget, "Row: invalid property value " + std::to_string(row));
  int32_t top = ScrolledTop();
  if (row >= VisibleRows() || top + row >= table_->RecordCount()) {
    throw Error(ErrorKind::Widget, "Row: " + std::to_string(row) + " is past the last row shown");
  }
  table_->MoveTo(top + row);  // the table tells everyone, the grid included
}

void HeadlessDataGrid::SetFocus() { platform().MoveFocus(this); }

}  // namespace cbo::headless
