// The container: a widget that hosts one control, keeps its size in twips,
// reports its events as signals and to a C++ sink, and keeps its settings in
// a property file.
#include <QResizeEvent>
#include <algorithm>

#include "control/type_library.hpp"
#include "platform/error.hpp"
#include "platform/qt/widget_base.hpp"

namespace cbo::qt {

// The container itself as the surface the control's constituents lie on.
class QtContainer::SurfaceWidget : public IWidget, public QtWidgetHandle {
public:
  explicit SurfaceWidget(QtContainer& c) : c_(c), handle_(c.platform_.Register(&c)) {}
  ~SurfaceWidget() override { c_.platform_.Unregister(handle_); }
  QWidget* qwidget() const override { return &c_; }
  double Left() const override { return ToTwips(c_.x()); }
  double Top() const override { return ToTwips(c_.y()); }
  double Width() const override { return c_.width_; }
  double Height() const override { return c_.height_; }
  void SetLeft(double v) override { c_.move(ToPixels(v), c_.y()); }
  void SetTop(double v) override { c_.move(c_.x(), ToPixels(v)); }
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

// Turns the control's events into the container's signals; a slot changes
// the by-reference arguments through the pointers it gets.
class QtContainer::Sink : public CboVarnoEvents {
public:
  explicit Sink(QtContainer& c) : c_(c) {}
  void Click() override { emit c_.clicked(); }
  void DblClick() override { emit c_.doubleClicked(); }
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override { Key(&QtContainer::keyDown, KeyCode, Shift); }
  void KeyPress(int16_t& KeyAscii) override {
    qint16 k = KeyAscii;
    emit c_.keyPress(&k);
    KeyAscii = k;
  }
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override { Key(&QtContainer::keyUp, KeyCode, Shift); }
  void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    Mouse(&QtContainer::mouseDown, Button, Shift, X, Y);
  }
  void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    Mouse(&QtContainer::mouseMove, Button, Shift, X, Y);
  }
  void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    Mouse(&QtContainer::mouseUp, Button, Shift, X, Y);
  }
  void Change() override { emit c_.changed(); }

private:
  void Key(void (QtContainer::*signal)(KeyArgs*), int16_t& code, int16_t& shift) {
    KeyArgs a{code, shift};
    (c_.*signal)(&a);
    code = a.KeyCode;
    shift = a.Shift;
  }
  void Mouse(void (QtContainer::*signal)(MouseArgs*), int16_t& b, int16_t& s, float& x, float& y) {
    MouseArgs a{b, s, x, y};
    (c_.*signal)(&a);
    b = a.Button;
    s = a.Shift;
    x = a.X;
    y = a.Y;
  }
  QtContainer& c_;
};

QtContainer::QtContainer(QtPlatform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform), surface_(std::make_unique<SurfaceWidget>(*this)),
      signals_(std::make_unique<Sink>(*this)) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

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
  const int w = std::max(0, ToPixels(width_));
  const int h = std::max(0, ToPixels(height_));
  setFixedHeight(h);
  resize(w, h);
  updateGeometry();
  if (control_) control_->Resize();
}

QSize QtContainer::sizeHint() const { return QSize(std::max(0, ToPixels(width_)), std::max(0, ToPixels(height_))); }

// A size the host's layout gives the widget reaches the control like a size
// set in code.
void QtContainer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  bool changed = false;
  if (std::max(0, ToPixels(width_)) != width()) {
    width_ = ToTwips(width());
    changed = true;
  }
  if (std::max(0, ToPixels(height_)) != height()) {
    height_ = ToTwips(height());
    changed = true;
  }
  if (changed && control_) platform_.Deliver(this, "Container.Resize", [this] { control_->Resize(); });
}

void QtContainer::PropertyChanged(const std::string& name) { emit propertyChanged(ToQString(name)); }

void QtContainer::RaiseEvent(int number, std::span<Variant> args) {
  DispatchEvent(*signals_, number, args);
  if (sink_) DispatchEvent(*sink_, number, args);
  const EventInfo* info = FindEvent(number);
  emit eventRaised(number, info ? ToQString(info->Name) : QString::number(number));
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
