#pragma once
// The standard widgets on Qt: the text box on a QLineEdit, the picture box on
// a QFrame, the button on a QToolButton, the label on a QLabel, the timer on
// a QTimer.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "platform/qt/keys.hpp"
#include "platform/qt/widget_base.hpp"

namespace cbo::qt {

// --- Text box ---

class LineEdit : public QLineEdit, public Detachable {
public:
  LineEdit(QtPlatform& platform, QWidget* parent);
  void Detach() override;
  // The handlers, set by the QtTextBox over this box.
  void SetEvents(TextBoxEvents events) { events_ = std::move(events); }
  // Runs Change once when the text differs from the last text seen.
  void NoteText();
  // Told once a change of the text has been handled: after the change
  // handler has run, and only for the outermost change when the handler
  // changes the text again (a completion). `edited`: the user's typing,
  // pasting or dropping made the change, not the code.
  void SetSettledHandler(std::function<void(bool edited)> handler) { settled_ = std::move(handler); }

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  // The alignment is kept from the edges themselves (leading and trailing
  // resolved when set): a change of direction mirrors it.
  void changeEvent(QEvent* e) override;

private:
  TextBoxEvents events_;
  // Runs a handler through the platform; false when the box was disposed of
  // meanwhile and must do nothing more.
  bool Run(const char* member, const std::function<void()>& handler);
  void Mouse(const char* member, const MouseHandler& handler, QMouseEvent* e, int16_t buttons);
  // The box's own editing of a key, possibly changed by the key-press handler.
  void Apply(QKeyEvent* e, int16_t keyAscii);
  QtPlatform& platform_;
  QString lastText_;
  std::function<void(bool)> settled_;
  int noting_ = 0;         // NoteText calls under way, nested ones counted
  bool userEdit_ = false;  // the user edited the text since the last change handled
  bool inKey_ = false;
  bool detached_ = false;
  bool afterDoubleClick_ = false;
};

class QtTextBox : public QtWidget<ITextBox, LineEdit> {
public:
  QtTextBox(QtPlatform& platform, QWidget* parent);
  std::string Text() const override;
  void SetText(const std::string& text) override;
  int32_t SelStart() const override;
  void SetSelStart(int32_t v) override;
  int32_t SelLength() const override;
  void SetSelLength(int32_t v) override;
  std::string Tag() const override { return tag_; }
  void SetTag(const std::string& v) override { tag_ = v; }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;
  Colour ForeColor() const override { return fore_; }
  void SetForeColor(Colour c) override;
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override;
  int16_t Alignment() const override { return alignment_; }
  void SetAlignment(int16_t v) override;
  bool Enabled() const override;
  void SetEnabled(bool v) override;
  bool Locked() const override;
  void SetLocked(bool v) override;
  void SetFocus() override;
  bool Focused() const override;
  void SetEvents(TextBoxEvents events) override;
  void Restyle() override {
    ApplyColours();
    ApplyFont();
  }

private:
  void ApplyColours();
  void ApplyFont();
  std::string tag_;
  FontRef font_;
  Colour fore_ = 0x80000008u, back_ = 0x80000005u;
  int16_t alignment_ = 0;
};

// --- Picture box ---

// A frame whose children lie in its client area, inside the border, so that
// a child at (0, 0) starts where the border ends.
class Frame : public QFrame {
public:
  explicit Frame(QWidget* parent);
  QWidget* Client() const { return client_; }
  void FitClient();

protected:
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

private:
  QWidget* client_;
};

class QtPictureBox : public QtWidget<IPictureBox, Frame> {
public:
  QtPictureBox(QtPlatform& platform, QWidget* parent);
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override;
  Colour ForeColor() const override { return fore_; }
  void SetForeColor(Colour c) override;
  int16_t Appearance() const override { return appearance_; }
  void SetAppearance(int16_t v) override;
  int16_t BorderStyle() const override { return border_; }
  void SetBorderStyle(int16_t v) override;
  QWidget* client() const override { return w_ ? w_->Client() : nullptr; }
  void Restyle() override { ApplyLook(); }

private:
  void ApplyLook();
  Colour back_ = 0x8000000Fu, fore_ = 0x80000012u;
  int16_t appearance_ = 1, border_ = 1;
};

// --- Button ---

class ToolButton : public QToolButton, public Detachable {
public:
  ToolButton(QtPlatform& platform, QWidget* parent);
  void Detach() override;
  // The handlers and the face's picture, set by the QtButton over this button.
  void SetEvents(ButtonEvents events) { events_ = std::move(events); }
  const Picture* GetPicture() const { return picture_; }
  void SetPicture(const Picture* p) { picture_ = p; }

protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

private:
  void Mouse(const char* member, const MouseHandler& handler, QMouseEvent* e);
  ButtonEvents events_;
  const Picture* picture_ = nullptr;
  QtPlatform& platform_;
  bool detached_ = false;
};

class QtButton : public QtWidget<IButton, ToolButton> {
public:
  QtButton(QtPlatform& platform, QWidget* parent);
  const Picture* GetPicture() const override;
  void SetPicture(const Picture* p) override;
  std::string Caption() const override;
  void SetCaption(const std::string& v) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;
  void SetEvents(ButtonEvents events) override;
  void Restyle() override { SetFont(font_); }

private:
  FontRef font_;
};

// --- Label ---

class Label : public QLabel, public Detachable {
public:
  Label(QtPlatform& platform, QWidget* parent);
  void Detach() override;
  // The handlers, set by the QtLabel over this label.
  void SetEvents(LabelEvents events) { events_ = std::move(events); }
  // A header box whose click sorts (it shows the sorting cursor); set by the QtLabel.
  bool Sortable() const { return sortable_; }
  void SetSortable(bool v) { sortable_ = v; }
  // The header box clicked last in its window: typed search looks in its
  // column, and, when it sorts, the list is in its order (ascending).
  bool Searched() const { return searched_; }
  bool Sorted() const { return searched_ && sortable_; }

protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

private:
  // Makes this the header box clicked last among the labels of its window.
  void MarkClicked();
  LabelEvents events_;
  bool sortable_ = false;
  QtPlatform& platform_;
  bool detached_ = false;
  bool searched_ = false;
};

class QtLabel : public QtWidget<ILabel, Label> {
public:
  QtLabel(QtPlatform& platform, QWidget* parent);
  std::string Caption() const override;
  void SetCaption(const std::string& v) override;
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override;
  int16_t MousePointer() const override { return pointer_; }
  void SetMousePointer(int16_t v) override;
  void SetEvents(LabelEvents events) override;
  void Restyle() override { SetBackColor(back_); }

private:
  Colour back_ = 0x8000000Fu;
  int16_t pointer_ = 0;
};

// The cursor of labels with mouse pointer 99: a hand over a small up-down
// arrow, which says that a click on the header sorts.
QCursor SortCursor();

// --- Timer ---

class Timer : public QTimer, public Detachable {
public:
  explicit Timer(QtPlatform& platform);
  void Detach() override { tick = nullptr; }
  std::function<void()> tick;
};

class QtTimer : public ITimer {
public:
  explicit QtTimer(QtPlatform& platform);
  ~QtTimer() override;
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool v) override;
  int32_t Interval() const override { return interval_; }
  void SetInterval(int32_t ms) override;
  void SetTick(std::function<void()> tick) override;

private:
  // Starts the schedule afresh: the next tick falls one interval from now.
  void Schedule();
  QtPlatform& platform_;
  QPointer<Timer> timer_;
  bool enabled_ = false;
  int32_t interval_ = 0;
};

}  // namespace cbo::qt
