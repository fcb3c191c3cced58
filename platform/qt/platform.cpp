// The platform: creates the widgets, keeps the registry of window handles,
// runs the logic's handlers from Qt's events, and offers the window and
// screen services.
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/error.hpp"
#include "platform/qt/grid.hpp"
#include "platform/qt/widgets.hpp"
#include "platform/qt/window.hpp"

namespace cbo::qt {

QtPlatform::QtPlatform() {
  // Every mouse event tells where the cursor is, whatever the windowing
  // system reports between events.
  if (qApp) qApp->installEventFilter(this);
}

QtPlatform::~QtPlatform() {
  if (qApp) qApp->removeEventFilter(this);
}

QWidget* ParentWidget(IWidget& parent) {
  auto* handle = dynamic_cast<QtWidgetHandle*>(&parent);
  QWidget* w = handle ? handle->client() : nullptr;
  if (!w) throw Error(ErrorKind::Widget, "parent: not a widget of the Qt platform, or already destroyed");
  return w;
}

QWidget* WidgetOf(const IWidget& widget) {
  auto* handle = dynamic_cast<const QtWidgetHandle*>(&widget);
  return handle ? handle->qwidget() : nullptr;
}

std::unique_ptr<ITextBox> QtPlatform::CreateTextBox(IWidget& parent) {
  return std::make_unique<QtTextBox>(*this, ParentWidget(parent));
}

std::unique_ptr<IPictureBox> QtPlatform::CreatePictureBox(IWidget& parent) {
  return std::make_unique<QtPictureBox>(*this, ParentWidget(parent));
}

std::unique_ptr<IButton> QtPlatform::CreateButton(IWidget& parent) {
  return std::make_unique<QtButton>(*this, ParentWidget(parent));
}

std::unique_ptr<ILabel> QtPlatform::CreateLabel(IWidget& parent) {
  return std::make_unique<QtLabel>(*this, ParentWidget(parent));
}

std::unique_ptr<IDataGrid> QtPlatform::CreateDataGrid(IWidget& parent) {
  return std::make_unique<QtDataGrid>(*this, ParentWidget(parent));
}

std::unique_ptr<ITimer> QtPlatform::CreateTimer() { return std::make_unique<QtTimer>(*this); }

std::unique_ptr<IWindow> QtPlatform::CreateWindow() { return std::make_unique<QtWindow>(*this); }

// --- Registry ---

int32_t QtPlatform::Register(QWidget* widget, std::function<void()> restyle) {
  const int32_t handle = nextHandle_++;
  widgets_[handle] = widget;
  if (restyle) restylers_[handle] = std::move(restyle);
  return handle;
}

void QtPlatform::Unregister(int32_t handle) {
  widgets_.erase(handle);
  restylers_.erase(handle);
}

// The handles are copied first, so that a restyle that registers or drops a
// widget cannot upset the walk.
void QtPlatform::Restyle() {
  std::vector<int32_t> handles;
  for (const auto& [handle, restyle] : restylers_) handles.push_back(handle);
  for (int32_t handle : handles) {
    auto it = restylers_.find(handle);
    if (it != restylers_.end() && it->second) it->second();
  }
}

void QtPlatform::RestyleWithin(QWidget* within) {
  std::vector<int32_t> handles;
  for (const auto& [handle, restyle] : restylers_) {
    QWidget* w = Find(handle);
    if (w && (w == within || within->isAncestorOf(w))) handles.push_back(handle);
  }
  for (int32_t handle : handles) {
    auto it = restylers_.find(handle);
    if (it != restylers_.end() && it->second) it->second();
  }
}

QWidget* QtPlatform::Find(int32_t handle) const {
  auto it = widgets_.find(handle);
  return it == widgets_.end() ? nullptr : it->second.data();
}

// --- Handlers ---

bool QtPlatform::Deliver(QObject* origin, const char* member, const std::function<void()>& handler) {
  dispatching_.emplace_back(origin);
  try {
    handler();
  } catch (const Error& e) {
    dispatching_.pop_back();
    const QString name = QString::fromUtf8(member);
    const QString message = QString::fromUtf8(KindName(e.kind())) + QStringLiteral(": ") + ToQString(e.what());
    if (QtContainer* container = ReporterFor(origin)) container->ReportHandlerError(name, message);
    emit handlerError(name, message);
    return false;
  } catch (...) {
    dispatching_.pop_back();
    throw;
  }
  dispatching_.pop_back();
  return true;
}

namespace {

QtContainer* ContainerOf(QObject* o) {
  for (; o; o = o->parent()) {
    if (auto* c = qobject_cast<QtContainer*>(o)) return c;
  }
  return nullptr;
}

}  // namespace

// The container that holds the failing widget; for a top-level window or a
// timer, the innermost container whose handler is running beneath.
QtContainer* QtPlatform::ReporterFor(QObject* origin) const {
  if (QtContainer* c = ContainerOf(origin)) return c;
  for (auto it = dispatching_.rbegin(); it != dispatching_.rend(); ++it) {
    if (QtContainer* c = ContainerOf(it->data())) return c;
  }
  return nullptr;
}

bool QtPlatform::InDispatch(QObject* object) const {
  for (const QPointer<QObject>& o : dispatching_) {
    for (QObject* p = o.data(); p; p = p->parent()) {
      if (p == object) return true;
    }
  }
  return false;
}

void QtPlatform::Dispose(QObject* object) {
  if (!object) return;
  if (auto* d = dynamic_cast<Detachable*>(object)) d->Detach();
  // Descendants of ours hear nothing more either.
  for (QObject* child : object->findChildren<QObject*>()) {
    if (auto* d = dynamic_cast<Detachable*>(child)) d->Detach();
  }
  if (InDispatch(object)) {
    if (auto* w = qobject_cast<QWidget*>(object)) w->hide();
    object->deleteLater();
  } else {
    delete object;
  }
}

bool QtPlatform::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ApplicationPaletteChange:
      if (watched == qApp) Restyle();
      break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      cursorSeen_ = true;
      lastCursor_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

// --- Window and screen services ---

namespace {

QScreen* ScreenOf(const QWidget* w) {
  QScreen* s = w ? w->screen() : nullptr;
  if (!s) s = QGuiApplication::primaryScreen();
  return s;
}

}  // namespace

// The screen's far edges from the virtual desktop's origin: a window placed
// against them stays on the control's screen.
bool QtPlatform::Mirrored() const {
  if (QWidget* w = lastMeasured_.data()) return w->layoutDirection() == Qt::RightToLeft;
  return QGuiApplication::layoutDirection() == Qt::RightToLeft;
}

double QtPlatform::CurrentScale() const { return ScaleOf(lastMeasured_.data()); }

QFont QtPlatform::CurrentFont() const {
  if (QWidget* w = lastMeasured_.data()) return w->font();
  return QApplication::font();
}

int QtPlatform::ScreenRight() const {
  QScreen* s = ScreenOf(lastMeasured_.data());
  return s ? s->availableGeometry().x() + s->availableGeometry().width() : 0;
}

double QtPlatform::ScreenWidth() const {
  QScreen* s = ScreenOf(lastMeasured_.data());
  return s ? ToTwips(s->availableGeometry().x() + s->availableGeometry().width(), CurrentScale()) : 0;
}

double QtPlatform::ScreenHeight() const {
  QScreen* s = ScreenOf(lastMeasured_.data());
  return s ? ToTwips(s->availableGeometry().y() + s->availableGeometry().height(), CurrentScale()) : 0;
}

bool QtPlatform::GetWindowRect(int32_t hwnd, PixelRect& rect) const {
  QWidget* w = Find(hwnd);
  if (!w) return false;
  lastMeasured_ = w;
  const QPoint topLeft = w->mapToGlobal(QPoint(0, 0));
  rect.Left = topLeft.x();
  rect.Top = topLeft.y();
  rect.Right = topLeft.x() + w->width();
  rect.Bottom = topLeft.y() + w->height();
  if (Mirrored()) {
    const int right = ScreenRight();
    rect.Left = right - (topLeft.x() + w->width());
    rect.Right = right - topLeft.x();
  }
  // In the pixels of the control's scale, which the logic turns into its twips.
  const double scale = CurrentScale();
  if (scale != 1) {
    auto scaled = [scale](int px) { return static_cast<int32_t>(std::lround(px / scale)); };
    rect = PixelRect{scaled(rect.Left), scaled(rect.Top), scaled(rect.Right), scaled(rect.Bottom)};
  }
  return true;
}

bool QtPlatform::GetCursorPos(PixelPoint& point) const {
  const QPoint p = cursorSeen_ ? lastCursor_ : QCursor::pos();
  const double scale = CurrentScale();
  point.X = static_cast<int32_t>(std::lround(p.x() / scale));
  point.Y = static_cast<int32_t>(std::lround(p.y() / scale));
  return true;
}

bool QtPlatform::ScreenToClient(int32_t hwnd, PixelPoint& point) const {
  QWidget* w = Find(hwnd);
  if (!w) return false;
  const double scale = CurrentScale();
  const QPoint screen(static_cast<int>(std::lround(point.X * scale)), static_cast<int>(std::lround(point.Y * scale)));
  const QPoint local = w->mapFromGlobal(screen);
  point.X = static_cast<int32_t>(std::lround(local.x() / scale));
  point.Y = static_cast<int32_t>(std::lround(local.y() / scale));
  return true;
}

}  // namespace cbo::qt
