#pragma once
// What every Qt widget of the platform shares: its geometry in twips, its
// visibility and stacking, and a handle in the platform's registry.
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "platform/qt/convert.hpp"
#include "platform/qt/qt_platform.hpp"
#include "platform/widgets.hpp"

namespace cbo::qt {

// Lets the platform find the Qt widget behind an interface it created.
class QtWidgetHandle {
public:
  virtual ~QtWidgetHandle() = default;
  virtual QWidget* qwidget() const = 0;
  // Where widgets created inside this one go (a frame's client area).
  virtual QWidget* client() const { return qwidget(); }
};

// The Qt widget that a new widget is created in; a Widget error when the
// parent is not one of ours or has been destroyed.
QWidget* ParentWidget(IWidget& parent);

// How many times its nominal size the control that holds `w` is drawn: the
// ratio of the font its container inherits to the platform's default font
// (for a drop-down window, that of the control it drops down from). Every
// length in twips and every font size of the control is scaled by it.
double ScaleOf(const QWidget* w);
inline constexpr const char* kScale = "cboScale";

// Right to left, a widget's Left is measured from its parent's right edge to
// its own right edge, so that the logic's layout comes out mirrored. Qt
// places children from the left in every direction; the widget keeps the
// left the logic gave it (pixels from the leading edge) and is placed again
// whenever its width, its parent's width or the direction changes.
int LeadingX(const QWidget* w);
// The property that gives a window the screen width it is mirrored in.
inline constexpr const char* kMirrorRoom = "cboMirrorRoom";
void PlaceLeading(QWidget* w, int leadingX);
// Places again the children of `parent` that the logic positioned.
void PlaceChildrenAgain(QWidget* parent);

// Implements IWidget on a Qt widget of class W that the wrapper owns.
template <class Interface, class W>
class QtWidget : public Interface, public QtWidgetHandle {
public:
  QtWidget(QtPlatform& platform, W* widget) : platform_(platform), w_(widget) {
    handle_ = platform_.Register(widget, [this] { Restyle(); });
  }
  ~QtWidget() override {
    platform_.Unregister(handle_);
    platform_.Dispose(w_.data());
  }
  QtWidget(const QtWidget&) = delete;
  QtWidget& operator=(const QtWidget&) = delete;

  QWidget* qwidget() const override { return w_.data(); }
  W* widget() const { return w_.data(); }

  double Left() const override { return w_ ? ToTwips(LeadingX(w_), Scale()) : 0; }
  double Top() const override { return w_ ? ToTwips(w_->y(), Scale()) : 0; }
  double Width() const override { return w_ ? ToTwips(w_->width(), Scale()) : 0; }
  double Height() const override { return w_ ? ToTwips(w_->height(), Scale()) : 0; }
  void SetLeft(double v) override {
    if (w_) PlaceLeading(w_, ToPixels(v, Scale()));
  }
  void SetTop(double v) override {
    if (w_) w_->move(w_->x(), ToPixels(v, Scale()));
  }
  void SetWidth(double v) override {
    if (!w_) return;
    const int leading = LeadingX(w_);
    w_->resize(std::max(0, ToPixels(v, Scale())), w_->height());
    PlaceLeading(w_, leading);
  }
  void SetHeight(double v) override {
    if (w_) w_->resize(w_->width(), std::max(0, ToPixels(v, Scale())));
  }
  double Scale() const { return ScaleOf(w_); }
  // The widget's own setting, whether or not its window is shown.
  bool Visible() const override { return w_ && !w_->isHidden(); }
  void SetVisible(bool v) override {
    if (w_) w_->setVisible(v);
  }
  void ZOrder() override {
    if (w_) w_->raise();
  }
  int32_t hWnd() const override { return handle_; }
  // Resolves the widget's system colours again from the palette.
  virtual void Restyle() {}

protected:
  QtPlatform& platform_;
  QPointer<W> w_;
  int32_t handle_ = 0;
};

}  // namespace cbo::qt
