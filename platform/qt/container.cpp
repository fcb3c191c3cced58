// The container: a widget that hosts one control, keeps its size in twips,
// hands its events by number to the host's handler, and keeps its settings in
// a property file.
#include <QFontDatabase>
#include <QFontInfo>
#include <QResizeEvent>
#include <algorithm>

#include "platform/error.hpp"
#include "platform/qt/widget_base.hpp"

namespace cbo::qt {

// The container itself as the surface the control's constituents lie on.
class QtContainer::SurfaceWidget : public IWidget, public QtWidgetHandle {
public:
  explicit SurfaceWidget(QtContainer& c) : c_(c), handle_(c.platform_.Register(&c)) {}
  ~SurfaceWidget() override { c_.platform_.Unregister(handle_); }
  QWidget* qwidget() const override { return &c_; }
  double Left() const override { return ToTwips(c_.x(), c_.Scale()); }
  double Top() const override { return ToTwips(c_.y(), c_.Scale()); }
  double Width() const override { return c_.width_; }
  double Height() const override { return c_.height_; }
  void SetLeft(double v) override { c_.move(ToPixels(v, c_.Scale()), c_.y()); }
  void SetTop(double v) override { c_.move(c_.x(), ToPixels(v, c_.Scale())); }
  void SetWidth(double v) override { c_.SetWidth(v); }
  void SetHeight(double v) override { c_.SetHeight(v); }
  bool Visible() const override { return !c_.isHidden(); }
  void SetVisible(bool v) override { c_.setVisible(v); }
  void ZOrder() override { c_.raise(); }
  int32_t hWnd() const override { return handle_; }

private:
  QtContainer& c_;
  int32_t handle_;
};

QtContainer::QtContainer(QtPlatform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform), surface_(std::make_unique<SurfaceWidget>(*this)) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setProperty(kScale, ScaleFromFont());
}

// The control is drawn at its nominal size at the platform's default font,
// and as many times larger as the font it inherits is larger than that.
double QtContainer::ScaleFromFont() const {
  auto points = [](const QFont& f) { return f.pointSizeF() > 0 ? f.pointSizeF() : QFontInfo(f).pointSizeF(); };
  const double nominal = points(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  const double inherited = points(font());
  return nominal > 0 && inherited > 0 ? inherited / nominal : 1;
}

double QtContainer::Scale() const { return property(kScale).toDouble(); }

QtContainer::~QtContainer() {
  // The control goes first, while its widgets and this container still exist.
  owned_.reset();
}

Platform& QtContainer::platform() { return platform_; }

IWidget& QtContainer::Surface() { return *surface_; }

void QtContainer::Attach(IControlSite* control) { control_ = control; }

double QtContainer::Width() const { return width_; }

double QtContainer::Height() const { return height_; }

void QtContainer::SetWidth(double v) {
  if (v == width_) return;
  width_ = v;
  SizeChanged();
}

void QtContainer::SetHeight(double v) {
  if (v == height_) return;
  height_ = v;
  SizeChanged();
}

// The widget takes the new size in whole pixels and the control lays itself
// out at once; the container keeps the twips it was given, so that 320 stays
// 320 although the widget is 21 pixels high.
void QtContainer::SizeChanged() {
  const int w = std::max(0, ToPixels(width_, Scale()));
  const int h = std::max(0, ToPixels(height_, Scale()));
  setFixedHeight(h);
  resize(w, h);
  updateGeometry();
  if (control_) control_->Resize();
}

QSize QtContainer::sizeHint() const {
  return QSize(std::max(0, ToPixels(width_, Scale())), std::max(0, ToPixels(height_, Scale())));
}

// A size the host's layout gives the widget reaches the control like a size
// set in code.
void QtContainer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceChildrenAgain(this);
  bool changed = false;
  if (std::max(0, ToPixels(width_, Scale())) != width()) {
    width_ = ToTwips(width(), Scale());
    changed = true;
  }
  if (std::max(0, ToPixels(height_, Scale())) != height()) {
    height_ = ToTwips(height(), Scale());
    changed = true;
  }
  if (changed && control_) platform_.Deliver(this, "Container.Resize", [this] { control_->Resize(); });
}

// The control's pieces keep their places from the leading edge.
void QtContainer::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LayoutDirectionChange) PlaceChildrenAgain(this);
  if (event->type() == QEvent::FontChange) Rescale();
}

// A new inherited font draws the control at its new size: the fonts of its
// pieces are set again and the control is laid out at the new scale, its
// lengths in twips unchanged.
void QtContainer::Rescale() {
  const double scale = ScaleFromFont();
  if (scale == Scale()) return;
  setProperty(kScale, scale);
  platform_.Deliver(this, "Container.Resize", [this] {
    platform_.RestyleWithin(this);
    SizeChanged();
  });
}

void QtContainer::PropertyChanged(const std::string& name) { emit propertyChanged(ToQString(name)); }

void QtContainer::RaiseEvent(int number, std::span<Variant> args) {
  if (events_) events_(number, args);
  emit eventRaised(number);
}

FontRef QtContainer::AmbientFont() { return FromQFont(font()); }

namespace {

IControlSite& Hosted(IControlSite* control, const char* what) {
  if (!control) throw Error(ErrorKind::Widget, std::string(what) + ": the container holds no control");
  return *control;
}

}  // namespace

void QtContainer::InitProperties() { Hosted(control_, "InitProperties").InitProperties(); }

void QtContainer::ReadProperties(const QString& path) {
  ReadPropertiesFromFile(Hosted(control_, "ReadProperties"), FromQString(path));
}

void QtContainer::WriteProperties(const QString& path) {
  WritePropertiesToFile(Hosted(control_, "WriteProperties"), FromQString(path));
}

}  // namespace cbo::qt
