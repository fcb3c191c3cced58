// The model of the bound table, the fixed-extent headers and the cell
// painter of the data grid.
#include <QApplication>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <numeric>

#include "platform/qt/grid.hpp"

namespace cbo::qt {

// --- Model ---

TableModel::TableModel(QtDataGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
  busyAfter_.setSingleShot(true);
  busyAfter_.setInterval(kBusyAfterMs);
  QObject::connect(&busyAfter_, &QTimer::timeout, this, [this] { grid_.ShowBusy(Waiting()); });
}

TableModel::~TableModel() {
  if (table_) table_->SetRowsRead({});
}

void TableModel::SetTable(DataSourceRef table) {
  if (table_) table_->SetRowsRead({});
  beginResetModel();
  table_ = std::move(table);
  if (table_) table_->SetRowsRead([this](const Error* failure) { RowsRead(failure); });
  top_ = 0;
  rows_ = 0;
  columns_ = Open() ? table_->FieldCount() : 0;
  endResetModel();
  Show(0);
}

void TableModel::Show(int top) {
  const int count = Open() ? table_->RecordCount() : 0;
  const int columns = Open() ? table_->FieldCount() : 0;
  top_ = std::clamp(top, 0, std::max(0, count - std::max(1, grid_.VisibleRows())));
  const int rows = std::clamp(grid_.WindowRows(), 0, count - top_);
  if (rows != rows_ || columns != columns_) {
    beginResetModel();
    rows_ = rows;
    columns_ = columns;
    endResetModel();
  } else {
    Refresh();
  }
  ReadWindow();
  FollowWaiting();
}

void TableModel::Refresh() {
  if (rows_ == 0 || columns_ == 0) return;
  // The view asks again for the cells and record selectors of the window.
  emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1), {Qt::DisplayRole});
  emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

void TableModel::ReadWindow() {
  // Nothing is read ahead for a grid off screen (its window being laid out
  // before it opens): it asks when it is shown.
  if (!Open() || !grid_.qwidget() || !grid_.qwidget()->isVisible()) return;
  std::vector<int32_t> positions(static_cast<size_t>(rows_));
  std::iota(positions.begin(), positions.end(), top_);
  table_->ReadAhead(positions);
}

bool TableModel::Waiting() const {
  if (!Open() || !table_->RowsPending()) return false;
  for (int r = 0; r < rows_; ++r)
    if (!table_->RowReady(top_ + r)) return true;
  return false;
}

void TableModel::FollowWaiting() {
  if (!Waiting()) {
    busyAfter_.stop();
    grid_.ShowBusy(false);
  } else if (!grid_.Busy() && !busyAfter_.isActive()) {
    busyAfter_.start();
  }
}

void TableModel::RowsRead(const Error* failure) {
  Refresh();
  FollowWaiting();
  if (failure) grid_.ReportReadFailure(*failure);
}

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !Open()) return {};
  QtGridColumn* column = grid_.ColumnAt(index.column());
  if (role == Qt::TextAlignmentRole) {
    const int32_t a = column ? column->Alignment() : 0;
    const Qt::Alignment h = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    return QVariant::fromValue(h | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole && role != kHighlightRole) return {};
  const int field = column ? column->Field() : index.column();
  const int position = top_ + index.row();
  // The table may have changed since the view last heard of it.
  if (field < 0 || field >= table_->FieldCount() || position >= table_->RecordCount()) return {};
  // A row still being read shows empty until it arrives.
  if (!table_->RowReady(position)) return role == kHighlightRole ? QVariant() : QVariant(QString());
  if (role == kHighlightRole) {
    QVariantList runs;
    for (const TextRun& r : table_->Highlights(position, field)) runs.append(QPoint(r.start, r.length));
    return runs;
  }
  const Variant v = table_->ValueAt(position, field);
  if (v.type() != VarType::String) return QString();  // Null shows as an empty cell
  // Values are text; a number format passes text through unchanged.
  return ToQString(v.AsString());
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    QtGridColumn* column = grid_.ColumnAt(section);
    return column ? ToQString(column->DataField()) : QVariant();
  }
  // The record selector marks the current row with a triangle pointing at
  // it: to the left when right to left puts the selectors on the right.
  if (!Open() || top_ + section != table_->Position()) return QString();
  return grid_.qwidget()->isRightToLeft() ? QStringLiteral("\u25C2") : QStringLiteral("\u25B8");
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;  // never editable
}

// --- Headers ---

void FixedHeader::SetExtent(int px) {
  extent_ = px;
  if (orientation() == Qt::Horizontal)
    setFixedHeight(px);
  else
    setFixedWidth(px);
  updateGeometry();
}

QSize FixedHeader::sizeHint() const {
  QSize s = QHeaderView::sizeHint();
  if (orientation() == Qt::Horizontal)
    s.setHeight(extent_);
  else
    s.setWidth(extent_);
  return s;
}

// --- Cells ---

int DividerPixels(int32_t style) {
  switch (style) {
    case 1:
    case 2:
    case 5:
    case 6: return 1;
    case 3:
    case 4: return 2;
    default: return 0;
  }
}

namespace {

// Fills a divider band: one pen for the flat styles, a light and a dark line
// for the raised and inset ones.
void DrawDivider(QPainter* p, int32_t style, QRect band, bool horizontal, const QColor& text) {
  const QColor light(255, 255, 255), dark(128, 128, 128);
  switch (style) {
    case 1: p->fillRect(band, Qt::black); break;
    case 2: p->fillRect(band, dark); break;
    case 5: p->fillRect(band, text); break;
    case 6: p->fillRect(band, QColor(192, 192, 192)); break;
    case 3:
    case 4: {
      QRect first = horizontal ? QRect(band.left(), band.top(), band.width(), 1)
                               : QRect(band.left(), band.top(), 1, band.height());
      QRect second = horizontal ? QRect(band.left(), band.top() + 1, band.width(), band.height() - 1)
                                : QRect(band.left() + 1, band.top(), band.width() - 1, band.height());
      p->fillRect(first, style == 3 ? light : dark);
      p->fillRect(second, style == 3 ? dark : light);
      break;
    }
    default: break;
  }
}

}  // namespace

void CellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  QtGridColumn* column = grid_.ColumnAt(index.column());
  if (column && column->WrapText())
    option->features |= QStyleOptionViewItem::WrapText;
  else
    option->features &= ~QStyleOptionViewItem::WrapText;
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QtGridColumn* column = grid_.ColumnAt(index.column());
  const int32_t rowStyle = grid_.DividerStyle();
  const int32_t columnStyle = column ? column->DividerStyle() : 0;
  const int rowPx = DividerPixels(rowStyle);
  const int columnPx = DividerPixels(columnStyle);
  const QRect cell = option.rect;
  // The column's divider is at its trailing edge: the left one right to left.
  const bool mirrored = option.direction == Qt::RightToLeft;
  QStyleOptionViewItem inner = option;
  inner.rect = mirrored ? cell.adjusted(columnPx, 0, 0, -rowPx) : cell.adjusted(0, 0, -columnPx, -rowPx);
  const QVariantList runs = index.data(kHighlightRole).toList();
  if (runs.isEmpty()) {
    QStyledItemDelegate::paint(painter, inner, index);
  } else {
    PaintHighlighted(painter, inner, index, runs);
  }
  const QColor text = grid_.TextColour();
  if (rowPx > 0) {
    DrawDivider(painter, rowStyle, QRect(cell.left(), cell.bottom() - rowPx + 1, cell.width(), rowPx), true, text);
  }
  if (columnPx > 0) {
    const int x = mirrored ? cell.left() : cell.right() - columnPx + 1;
    DrawDivider(painter, columnStyle, QRect(x, cell.top(), columnPx, cell.height() - rowPx), false, text);
  }
}

namespace {

// The UTF-16 index of code point `n` of the text.
int Utf16Index(const QString& text, int n) {
  int i = 0;
  for (; i < text.size() && n > 0; --n) i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
  return i;
}

}  // namespace

void CellDelegate::PaintHighlighted(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                                    const QVariantList& runs) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

  const bool selected = opt.state & QStyle::State_Selected;
  QTextCharFormat mark;
  mark.setBackground(QColor(255, 221, 87));  // a marker's yellow, on any palette
  mark.setForeground(QColor(0, 0, 0));
  QList<QTextLayout::FormatRange> formats;
  for (const QVariant& v : runs) {
    const QPoint r = v.toPoint();
    const int start = Utf16Index(text, r.x());
    formats.append({start, Utf16Index(text, r.x() + r.y()) - start, mark});
  }
  QTextLayout layout(text, opt.font);
  layout.setFormats(formats);
  QTextOption textOption;
  textOption.setTextDirection(opt.direction);
  layout.setTextOption(textOption);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (line.isValid()) line.setLineWidth(1e6);
  layout.endLayout();
  if (!line.isValid()) return;

  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
  const QRect area =
      style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget).adjusted(margin, 0, -margin, 0);
  const qreal width = line.naturalTextWidth();
  const Qt::Alignment h = QStyle::visualAlignment(opt.direction, opt.displayAlignment) & Qt::AlignHorizontal_Mask;
  qreal x = area.left();
  if (h & Qt::AlignRight) x = area.right() + 1 - width;
  if (h & Qt::AlignHCenter) x = area.left() + (area.width() - width) / 2;
  const qreal y = area.top() + (area.height() - line.height()) / 2;
  painter->save();
  painter->setClipRect(area);
  painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  layout.draw(painter, QPointF(x, y));
  painter->restore();
}

}  // namespace cbo::qt
