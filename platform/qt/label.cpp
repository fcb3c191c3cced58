// The label on a QLabel, with the sorting cursor for mouse pointer 99.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "platform/qt/widgets.hpp"

namespace cbo::qt {

QCursor SortCursor() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  // An arrow pointer with its tip at the hot spot...
  const QPoint arrow[] = {{0, 0}, {0, 10}, {3, 7}, {6, 7}};
  p.drawPolygon(arrow, 4);
  // ...and a small up-down mark beside it.
  p.setBrush(Qt::black);
  const QPoint up[] = {{12, 3}, {9, 7}, {15, 7}};
  const QPoint down[] = {{12, 15}, {9, 11}, {15, 11}};
  p.drawPolygon(up, 3);
  p.drawPolygon(down, 3);
  p.end();
  return QCursor(pixmap, 0, 0);
}

Label::Label(QtPlatform& platform, QWidget* parent) : QLabel(parent), platform_(platform) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setIndent(2);
  setAutoFillBackground(true);
}

void Label::Detach() {
  detached_ = true;
  events_ = LabelEvents{};
}

void Label::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  e->accept();
  auto click = events_.Click;
  if (detached_ || !click || e->button() != Qt::LeftButton || !rect().contains(e->position().toPoint())) return;
  QPointer<Label> self = this;
  if (platform_.Deliver(this, "Label.Click", click) && self && !detached_) MarkClicked();
}

void Label::MarkClicked() {
  for (Label* other : window()->findChildren<Label*>()) {
    if (other != this && other->searched_) {
      other->searched_ = false;
      other->update();
    }
  }
  searched_ = true;
  update();
}

// The caption as the part of the label that its box lets show can hold it:
// the whole line, descenders included and a pixel to spare, centred in that
// part, the font made smaller where the line is taller than the part (or the
// caption wider), and cut short with an ellipsis only below the smallest
// legible size.
void Label::paintEvent(QPaintEvent*) {
  QRect area = rect();
  if (QWidget* box = parentWidget()) area &= QRect(mapFromParent(QPoint(0, 0)), box->size());
  const QRect visible = area;
  if (layoutDirection() == Qt::RightToLeft)
    area.adjust(0, 0, -indent(), 0);
  else
    area.adjust(indent(), 0, 0, 0);
  if (area.isEmpty() || text().isEmpty()) return;
  constexpr int kSmallest = 6;  // pixels
  QFont f = font();
  int px = QFontInfo(f).pixelSize();
  auto fits = [&] {
    const QFontMetrics fm(f);
    return fm.height() + 1 <= area.height() && fm.horizontalAdvance(text()) <= area.width();
  };
  while (!fits() && px > kSmallest) f.setPixelSize(--px);
  QPainter painter(this);
  painter.setLayoutDirection(layoutDirection());
  // The sorted column's arrow, drawn by the style as a header's, at the end
  // of the box; the caption keeps the rest.
  if (Sorted()) {
    const int side = std::min(area.height(), style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this) + 4);
    QStyleOptionHeader arrow;
    arrow.initFrom(this);
    arrow.sortIndicator = QStyleOptionHeader::SortDown;  // ascending, as a header view shows it
    arrow.rect = QStyle::visualRect(
        layoutDirection(), area, QRect(area.right() - side + 1, area.top() + (area.height() - side) / 2, side, side));
    style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &arrow, &painter, this);
    if (layoutDirection() == Qt::RightToLeft)
      area.adjust(side, 0, 0, 0);
    else
      area.adjust(0, 0, -side, 0);
  }
  painter.setFont(f);
  const QString shown = QFontMetrics(f).elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                        isEnabled(), shown, foregroundRole());
  // The column that typed search looks in is marked as the style marks the
  // item the keyboard acts on.
  if (Searched()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = visible.adjusted(1, 1, -1, -1);
    focus.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

QtLabel::QtLabel(QtPlatform& platform, QWidget* parent) : QtWidget(platform, new Label(platform, parent)) {
  SetBackColor(back_);
  w_->setVisible(true);
}

namespace {

// A caption that begins with a number ("12 of 40 rows") keeps its order in a
// right-to-left window when its words are left to right: a left-to-right
// mark ahead of it says how to lay out the number. Captions that begin with
// a letter are laid out by that letter already and are shown as written.
const QChar kLeftToRightMark(0x200E);

}  // namespace

std::string QtLabel::Caption() const {
  if (!w_) return std::string();
  QString text = w_->text();
  if (text.startsWith(kLeftToRightMark)) text.remove(0, 1);
  return FromQString(text);
}

void QtLabel::SetCaption(const std::string& v) {
  if (!w_) return;
  QString text = ToQString(v);
  if (!text.isEmpty() && !text.at(0).isLetter() && !text.isRightToLeft()) text.prepend(kLeftToRightMark);
  w_->setText(text);
}

void QtLabel::SetBackColor(Colour c) {
  back_ = c;
  if (!w_) return;
  QPalette p = QApplication::palette(w_);
  p.setColor(QPalette::Window, ResolveColour(c, QApplication::palette(w_)));
  w_->setPalette(p);
}

void QtLabel::SetMousePointer(int16_t v) {
  pointer_ = v;
  if (!w_) return;
  w_->SetSortable(v == 99);
  if (v == 99)
    w_->setCursor(SortCursor());
  else
    w_->unsetCursor();
}

void QtLabel::SetEvents(LabelEvents events) {
  if (w_) w_->SetEvents(std::move(events));
}

}  // namespace cbo::qt
