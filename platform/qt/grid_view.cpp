// What the user does to the data grid: keys go to the window's handlers
// first, the navigation keys then move the current row; mouse reports carry
// X, Y in twips from the grid's top-left corner, headers included.
#include <QScrollBar>
#include <algorithm>

#include "platform/qt/grid.hpp"

namespace cbo::qt {

GridView::GridView(QtPlatform& platform, QWidget* parent) : QTableView(parent), platform_(platform) {
  setHorizontalHeader(new FixedHeader(Qt::Horizontal, this));
  setVerticalHeader(new FixedHeader(Qt::Vertical, this));
  setFrameShape(QFrame::NoFrame);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setTabKeyNavigation(false);
  setShowGrid(false);
  setWordWrap(true);
  setCornerButtonEnabled(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  // The grid scrolls its window itself; the view never scrolls to a row.
  setAutoScroll(false);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
    h->setSectionsClickable(false);
    h->setHighlightSections(false);
    h->setMouseTracking(true);
    h->viewport()->setMouseTracking(true);
    h->viewport()->installEventFilter(this);
  }
  // What the user does to the scroll bar (dragging, its arrows and page
  // areas, the wheel) moves the window, never the view's rows. The view's own
  // changes of range and value trigger no action and are put back
  // (updateGeometries).
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) {
    if (owner_) owner_->ScrollTo(verticalScrollBar()->sliderPosition());
  });
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  horizontalHeader()->setMinimumSectionSize(0);
}

void GridView::Detach() {
  detached_ = true;
  events_ = GridEvents{};
  owner_ = nullptr;
}

// The header resizes its rows one by one and reports each; the view would
// queue every one of them for a repaint. The reports are held back and the
// view is laid out once instead, which is all that queue comes to. Rows are
// never sized one by one, so at the same pitch the rows stay as they are.
void GridView::SetRowPitch(int px) {
  QHeaderView* rows = verticalHeader();
  if (rows->count() == 0 || rows->defaultSectionSize() != px) {
    rows->length();  // lays out the sections still pending, with their reports
    {
      const QSignalBlocker quiet(rows);
      rows->setDefaultSectionSize(px);
    }
    updateGeometries();
    rows->viewport()->update();
  }
  viewport()->update();
}

// The scroll bar counts table positions: as many steps as rows that do not
// fit, a page of the rows that do. It is shown only when some do not fit.
void GridView::SetScroll(int rows, int shown, int top) {
  scrollRows_ = rows;
  scrollShown_ = shown;
  scrollTop_ = top;
  const Qt::ScrollBarPolicy policy = rows > shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, std::max(0, rows - shown));
  bar->setPageStep(std::max(1, shown));
  bar->setSingleStep(1);
  bar->setValue(top);
}

// The view sets its scroll bar for the rows of the window; the grid's own
// range and position are put back.
void GridView::updateGeometries() {
  QTableView::updateGeometries();
  SetScroll(scrollRows_, scrollShown_, scrollTop_);
}

// Vertical scrolling is the window's: the view's rows and record selectors
// stay in place.
void GridView::scrollContentsBy(int dx, int) { QTableView::scrollContentsBy(dx, 0); }

bool GridView::Run(const char* member, const std::function<void()>& handler) {
  if (detached_) return false;
  const bool completed = platform_.Deliver(this, member, handler);
  return completed && !detached_;
}

void GridView::keyPressEvent(QKeyEvent* e) {
  e->accept();
  int16_t keyCode = KeyCodeOf(*e);
  int16_t shift = ShiftOf(e->modifiers());
  const int16_t pressed = keyCode;
  auto keyDown = events_.KeyDown;
  if (keyDown && !Run("DataGrid.KeyDown", [&] { keyDown(keyCode, shift); })) return;

  int16_t character = CharacterOf(*e);
  if (pressed == 8 || pressed == 13 || pressed == 27) character = pressed;
  // The desktop's keys that close a drop-down, F4 and Alt+Up, close it as
  // Escape does.
  if (IsCloseKey(pressed, e->modifiers())) character = 27;
  if (character != 0) {
    // Typed characters are the window's: the grid's own search never runs.
    int16_t keyAscii = character;
    auto keyPress = events_.KeyPress;
    if (keyPress) Run("DataGrid.KeyPress", [&] { keyPress(keyAscii); });
    return;
  }
  if (keyCode == 0) return;  // cleared by the handler, or a key the grid ignores
  // The arrows, the page keys, Home and End move the table's current row;
  // any other key is the view's.
  bool navigated = false;
  if (!Run("DataGrid.Navigate", [&] { navigated = owner_ && owner_->Navigate(pressed); }) || navigated) return;
  Run("DataGrid.Navigate", [&] { QTableView::keyPressEvent(e); });
}

bool GridView::IsCloseKey(int16_t keyCode, Qt::KeyboardModifiers mods) {
  const bool alt = mods & Qt::AltModifier;
  return (keyCode == 115 && !alt) || (keyCode == 38 && alt);
}

void GridView::Cancel() {
  int16_t keyAscii = 27;
  auto keyPress = events_.KeyPress;
  if (keyPress) Run("DataGrid.KeyPress", [&] { keyPress(keyAscii); });
}

void GridView::Mouse(const char* member, const MouseHandler& handler, QPoint gridPos, Qt::KeyboardModifiers mods,
                     int16_t button) {
  auto h = handler;
  if (!h) return;
  int16_t b = button;
  int16_t shift = ShiftOf(mods);
  const double scale = ScaleOf(this);
  float x = static_cast<float>(ToTwips(gridPos.x(), scale));
  float y = static_cast<float>(ToTwips(gridPos.y(), scale));
  Run(member, [&] { h(b, shift, x, y); });
}

void GridView::mousePressEvent(QMouseEvent* e) {
  if (!Run("DataGrid.MouseDown", [&] { QTableView::mousePressEvent(e); })) return;
  Mouse("DataGrid.MouseDown", events_.MouseDown, viewport()->mapTo(this, e->position().toPoint()), e->modifiers(),
        ButtonsOf(e->button()));
}

void GridView::mouseReleaseEvent(QMouseEvent* e) {
  if (!Run("DataGrid.MouseUp", [&] { QTableView::mouseReleaseEvent(e); })) return;
  Mouse("DataGrid.MouseUp", events_.MouseUp, viewport()->mapTo(this, e->position().toPoint()), e->modifiers(),
        ButtonsOf(e->button()));
}

void GridView::mouseMoveEvent(QMouseEvent* e) {
  if (!Run("DataGrid.MouseMove", [&] { QTableView::mouseMoveEvent(e); })) return;
  Mouse("DataGrid.MouseMove", events_.MouseMove, viewport()->mapTo(this, e->position().toPoint()), e->modifiers(),
        ButtonsOf(e->buttons()));
}

// Mouse reports over the header band and the record selectors are the grid's
// too; the headers themselves do nothing with them.
bool GridView::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if (t != QEvent::MouseButtonPress && t != QEvent::MouseButtonRelease && t != QEvent::MouseMove) {
    return QTableView::eventFilter(watched, event);
  }
  auto* area = qobject_cast<QWidget*>(watched);
  auto* me = static_cast<QMouseEvent*>(event);
  const QPoint at = area->mapTo(this, me->position().toPoint());
  if (t == QEvent::MouseButtonPress)
    Mouse("DataGrid.MouseDown", events_.MouseDown, at, me->modifiers(), ButtonsOf(me->button()));
  else if (t == QEvent::MouseButtonRelease)
    Mouse("DataGrid.MouseUp", events_.MouseUp, at, me->modifiers(), ButtonsOf(me->button()));
  else
    Mouse("DataGrid.MouseMove", events_.MouseMove, at, me->modifiers(), ButtonsOf(me->buttons()));
  return true;
}

void GridView::focusInEvent(QFocusEvent* e) {
  // The view would make its first row current when it has none; the table's
  // current row is the only one that counts. The window is not scrolled.
  if (owner_) owner_->SetSyncing(true);
  QTableView::focusInEvent(e);
  if (owner_) {
    owner_->SetSyncing(false);
    owner_->ShowCurrent();
  }
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QAbstractItemView::currentChanged(current, previous);
}

void GridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QAbstractItemView::selectionChanged(selected, deselected);
}

void GridView::resizeEvent(QResizeEvent* e) {
  QTableView::resizeEvent(e);
  if (owner_) owner_->FollowTable();
}

void GridView::showEvent(QShowEvent* e) {
  QTableView::showEvent(e);
  if (owner_) owner_->Shown();
}

}  // namespace cbo::qt
