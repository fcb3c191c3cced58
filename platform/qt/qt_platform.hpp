#pragma once
// The Qt 6 Widgets platform: the control's constituents are ordinary widgets
// (QLineEdit, QToolButton, QFrame, QLabel, QTimer, a QTableView over a model
// of the table, a frameless modal QDialog), lengths are converted at 15 twips
// per pixel, and the host places a QtContainer wherever it wants the control.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/container.hpp"
#include "platform/platform.hpp"
#include "platform/property_file.hpp"

namespace cbo::qt {

class QtContainer;

class QtPlatform : public QObject, public Platform, public IWindowServices {
  Q_OBJECT

public:
  // A QApplication must exist before the platform is created.
  QtPlatform();
  ~QtPlatform() override;

  std::unique_ptr<ITextBox> CreateTextBox(IWidget& parent) override;
  std::unique_ptr<IPictureBox> CreatePictureBox(IWidget& parent) override;
  std::unique_ptr<IButton> CreateButton(IWidget& parent) override;
  std::unique_ptr<ILabel> CreateLabel(IWidget& parent) override;
  std::unique_ptr<IDataGrid> CreateDataGrid(IWidget& parent) override;
  std::unique_ptr<ITimer> CreateTimer() override;
  std::unique_ptr<IWindow> CreateWindow() override;
  IWindowServices& Services() override { return *this; }

  // The screen that holds the control last measured (the primary one before
  // that), its available area in twips from the virtual desktop's origin.
  double ScreenWidth() const override;
  double ScreenHeight() const override;
  bool GetWindowRect(int32_t hwnd, PixelRect& rect) const override;
  bool GetCursorPos(PixelPoint& point) const override;
  bool ScreenToClient(int32_t hwnd, PixelPoint& point) const override;

  // --- Used by the widgets. ---
  // Whether the control last measured lies right to left: its drop-down is
  // then mirrored, window rectangles and left edges measured from the
  // screen's right edge (ScreenRight, in pixels).
  bool Mirrored() const;
  int ScreenRight() const;
  // The scale of the control last measured (ScaleOf), which its drop-down
  // takes; the window services count in its pixels.
  double CurrentScale() const;
  QFont CurrentFont() const;
  // Restyles the platform's widgets inside `w` (a font or palette change).
  void RestyleWithin(QWidget* w);
  // `restyle` runs when the application's palette changes: a widget whose
  // colours are system colours resolves them again.
  int32_t Register(QWidget* widget, std::function<void()> restyle = {});
  void Unregister(int32_t handle);
  QWidget* Find(int32_t handle) const;
  // Runs one of the logic's handlers from a Qt event. A cbo::Error it raises
  // stops here and is reported through handlerError of the container that
  // holds `origin` (or of the container whose handler is running beneath, for
  // the drop-down window and timers), and of the platform. Returns false
  // when the handler failed: the event it came from goes no further.
  bool Deliver(QObject* origin, const char* member, const std::function<void()>& handler);
  // Whether a handler delivered from `object` or one of its descendants is
  // running now: such an object must be deleted later, not at once.
  bool InDispatch(QObject* object) const;
  // Deletes a widget or timer at once, or later when it is in a handler.
  void Dispose(QObject* object);

signals:
  void handlerError(QString member, QString message);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QtContainer* ReporterFor(QObject* origin) const;
  void Restyle();
  std::map<int32_t, QPointer<QWidget>> widgets_;
  std::map<int32_t, std::function<void()>> restylers_;
  int32_t nextHandle_ = 0x1000;
  std::vector<QPointer<QObject>> dispatching_;
  mutable QPointer<QWidget> lastMeasured_;
  bool cursorSeen_ = false;
  QPoint lastCursor_;
};

// The host's container of one control: a widget that applications put in
// their layouts or at a position.
class QtContainer : public QWidget, public IContainer {
  Q_OBJECT

public:
  explicit QtContainer(QtPlatform& platform, QWidget* parent = nullptr);
  ~QtContainer() override;

  Platform& platform() override;
  IWidget& Surface() override;
  void Attach(IControlSite* control) override;
  double Width() const override;
  double Height() const override;
  void SetWidth(double v) override;
  void SetHeight(double v) override;
  void PropertyChanged(const std::string& name) override;
  void RaiseEvent(int number, std::span<Variant> args) override;
  FontRef AmbientFont() override;

  // --- The host's side. ---
  // Keeps the control alive as long as the container; it is destroyed before
  // the container's widgets are.
  template <class Control>
  Control& Adopt(std::unique_ptr<Control> control) {
    Control& ref = *control;
    owned_ = std::move(control);
    return ref;
  }
  // Hears every event the control raises, by its number, with the arguments
  // that a handler may change in place (none: the events go nowhere).
  using EventHandler = std::function<void(int number, std::span<Variant> args)>;
  void SetEventHandler(EventHandler handler) { events_ = std::move(handler); }
  IControlSite* control() const { return control_; }
  // A newly placed control's defaults, and its settings in a file.
  void InitProperties();
  void ReadProperties(const QString& path);
  void WriteProperties(const QString& path);

  QSize sizeHint() const override;

  // Reported by the platform when one of the control's handlers failed.
  void ReportHandlerError(const QString& member, const QString& message) { emit handlerError(member, message); }

signals:
  void propertyChanged(QString name);
  // After the event handler has run.
  void eventRaised(int number);
  void handlerError(QString member, QString message);

protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  class SurfaceWidget;
  void SizeChanged();
  double ScaleFromFont() const;
  double Scale() const;
  void Rescale();
  QtPlatform& platform_;
  std::unique_ptr<SurfaceWidget> surface_;
  std::unique_ptr<IControlSite> owned_;
  IControlSite* control_ = nullptr;
  EventHandler events_;
  double width_ = 0, height_ = 0;
};

// The Qt widget behind one of the platform's widgets (nullptr for another
// platform's widget or one already destroyed).
QWidget* WidgetOf(const IWidget& widget);

}  // namespace cbo::qt
