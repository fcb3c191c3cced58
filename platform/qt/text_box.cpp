// The text box on a QLineEdit. The box raises its key events around its own
// editing, so that a key-press handler can cancel or replace the character,
// and runs its change handler once for every change of its text, whether
// the code or the user made it.
#include <QApplication>
#include <utility>

#include "platform/error.hpp"
#include "platform/qt/widgets.hpp"

namespace cbo::qt {

LineEdit::LineEdit(QtPlatform& platform, QWidget* parent) : QLineEdit(parent), platform_(platform) {
  setFrame(false);
  setMouseTracking(true);
  // Edits the box makes outside a key press (paste from the context menu,
  // drag and drop) reach the change handler from here.
  connect(this, &QLineEdit::textEdited, this, [this] {
    userEdit_ = true;
    if (!inKey_) Run("TextBox.Change", [this] { NoteText(); });
  });
}

void LineEdit::Detach() {
  detached_ = true;
  events_ = TextBoxEvents{};
}

bool LineEdit::Run(const char* member, const std::function<void()>& handler) {
  if (detached_) return false;
  const bool completed = platform_.Deliver(this, member, handler);
  return completed && !detached_;
}

void LineEdit::NoteText() {
  if (text() == lastText_) {
    if (noting_ == 0) userEdit_ = false;
    return;
  }
  lastText_ = text();
  {
    struct Depth {
      int& n;
      ~Depth() { --n; }
    } depth{++noting_};
    auto change = events_.Change;  // the handler may replace the box's handlers
    if (change) change();
  }
  if (noting_ > 0 || detached_) return;
  const bool edited = std::exchange(userEdit_, false);
  auto settled = settled_;
  if (settled) settled(edited);
}

void LineEdit::keyPressEvent(QKeyEvent* e) {
  e->accept();
  int16_t keyCode = KeyCodeOf(*e);
  int16_t shift = ShiftOf(e->modifiers());
  const int16_t pressed = keyCode;
  auto keyDown = events_.KeyDown;
  if (keyDown && !Run("TextBox.KeyDown", [&] { keyDown(keyCode, shift); })) return;

  // Backspace, Enter and Escape make a character of their own.
  int16_t character = CharacterOf(*e);
  if (pressed == 8 || pressed == 13 || pressed == 27) character = pressed;
  if (character != 0) {
    int16_t keyAscii = character;
    auto keyPress = events_.KeyPress;
    if (keyPress && !Run("TextBox.KeyPress", [&] { keyPress(keyAscii); })) return;
    if (keyAscii != 0 && !isReadOnly()) Apply(e, keyAscii);
    return;
  }
  // A key that types nothing: the box handles it unless the key-down handler
  // cleared the key code.
  if (pressed != 0 && keyCode == 0) return;
  Run("TextBox.KeyDown", [&] {
    inKey_ = true;
    QLineEdit::keyPressEvent(e);
    inKey_ = false;
    NoteText();
  });
  e->accept();
}

void LineEdit::Apply(QKeyEvent*, int16_t keyAscii) {
  const auto c = static_cast<char16_t>(static_cast<uint16_t>(keyAscii));
  // A single-line box takes no control character but Backspace, and no half
  // of a surrogate pair.
  if (c != 8 && (c < 32 || QChar::isSurrogate(c))) return;
  Run("TextBox.Change", [&] {
    inKey_ = true;
    if (c == 8)
      backspace();
    else
      insert(QString(QChar(c)));
    inKey_ = false;
    NoteText();
  });
}

void LineEdit::keyReleaseEvent(QKeyEvent* e) {
  QLineEdit::keyReleaseEvent(e);
  if (e->isAutoRepeat()) return;
  int16_t keyCode = KeyCodeOf(*e);
  int16_t shift = ShiftOf(e->modifiers());
  auto keyUp = events_.KeyUp;
  if (keyUp) Run("TextBox.KeyUp", [&] { keyUp(keyCode, shift); });
}

void LineEdit::Mouse(const char* member, const MouseHandler& handler, QMouseEvent* e, int16_t buttons) {
  auto h = handler;
  if (!h) return;
  int16_t button = buttons;
  int16_t shift = ShiftOf(e->modifiers());
  const double scale = ScaleOf(this);
  float x = static_cast<float>(e->position().x() * kTwipsPerPixel / scale);
  float y = static_cast<float>(e->position().y() * kTwipsPerPixel / scale);
  Run(member, [&] { h(button, shift, x, y); });
}

void LineEdit::mousePressEvent(QMouseEvent* e) {
  QLineEdit::mousePressEvent(e);
  Mouse("TextBox.MouseDown", events_.MouseDown, e, ButtonsOf(e->button()));
}

void LineEdit::mouseReleaseEvent(QMouseEvent* e) {
  QLineEdit::mouseReleaseEvent(e);
  Mouse("TextBox.MouseUp", events_.MouseUp, e, ButtonsOf(e->button()));
  // The release that ends a double click makes no second click.
  const bool click = !afterDoubleClick_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  afterDoubleClick_ = false;
  auto handler = events_.Click;
  if (click && handler) Run("TextBox.Click", handler);
}

void LineEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  QLineEdit::mouseDoubleClickEvent(e);
  if (e->button() != Qt::LeftButton) return;
  afterDoubleClick_ = true;
  auto handler = events_.DblClick;
  if (handler) Run("TextBox.DblClick", handler);
}

void LineEdit::mouseMoveEvent(QMouseEvent* e) {
  QLineEdit::mouseMoveEvent(e);
  Mouse("TextBox.MouseMove", events_.MouseMove, e, ButtonsOf(e->buttons()));
}

// A window becoming active again (a drop-down or a popup closing, the user
// coming back from another application) gives the focus back to the box that
// had it: the box did not get or lose the focus within its window, so its
// selection is kept and no handler runs.
namespace {
bool WindowActivation(const QFocusEvent* e) {
  return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}
}  // namespace

void LineEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  auto handler = events_.GotFocus;
  if (handler && !WindowActivation(e)) Run("TextBox.GotFocus", handler);
}

void LineEdit::changeEvent(QEvent* e) {
  QLineEdit::changeEvent(e);
  if (e->type() != QEvent::LayoutDirectionChange) return;
  const Qt::Alignment a = alignment();
  if (!(a & Qt::AlignAbsolute) || (a & Qt::AlignHCenter)) return;
  const Qt::Alignment h = a & Qt::AlignLeft ? Qt::AlignRight : Qt::AlignLeft;
  setAlignment((a & ~Qt::AlignHorizontal_Mask) | h | Qt::AlignAbsolute);
}

void LineEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  auto handler = events_.LostFocus;
  if (handler && !WindowActivation(e)) Run("TextBox.LostFocus", handler);
}

// --- The interface ---

QtTextBox::QtTextBox(QtPlatform& platform, QWidget* parent)
    : QtWidget(platform, new LineEdit(platform, parent)), font_(MakeFont("DejaVu Sans", 8.25)) {
  ApplyFont();
  ApplyColours();
  SetAlignment(alignment_);
  w_->setVisible(true);
}

std::string QtTextBox::Text() const { return w_ ? FromQString(w_->text()) : std::string(); }

void QtTextBox::SetText(const std::string& text) {
  if (!w_) return;
  const QString s = ToQString(text);
  if (s == w_->text()) return;
  w_->setText(s);
  w_->setCursorPosition(0);
  w_->NoteText();
}

int32_t QtTextBox::SelStart() const {
  if (!w_) return 0;
  const int units = w_->hasSelectedText() ? w_->selectionStart() : w_->cursorPosition();
  return CharsFromUnits(w_->text(), units);
}

void QtTextBox::SetSelStart(int32_t v) {
  if (v < 0) throw Error(ErrorKind::Widget, "SelStart: invalid property value " + std::to_string(v));
  if (!w_) return;
  w_->setCursorPosition(UnitsFromChars(w_->text(), v));
}

int32_t QtTextBox::SelLength() const {
  if (!w_ || !w_->hasSelectedText()) return 0;
  const QString s = w_->text();
  const int start = w_->selectionStart();
  return CharsFromUnits(s, start + w_->selectionLength()) - CharsFromUnits(s, start);
}

void QtTextBox::SetSelLength(int32_t v) {
  if (v < 0) throw Error(ErrorKind::Widget, "SelLength: invalid property value " + std::to_string(v));
  if (!w_) return;
  const QString s = w_->text();
  const int32_t start = SelStart();
  const int from = UnitsFromChars(s, start);
  const int to = UnitsFromChars(s, start + v);  // clamped to the text
  if (to == from)
    w_->setCursorPosition(from);
  else
    w_->setSelection(from, to - from);
}

void QtTextBox::SetFont(FontRef f) {
  font_ = std::move(f);
  ApplyFont();
}

void QtTextBox::ApplyFont() {
  if (w_ && font_) w_->setFont(ToQFont(*font_, w_->font(), Scale()));
}

void QtTextBox::SetForeColor(Colour c) {
  fore_ = c;
  ApplyColours();
}

void QtTextBox::SetBackColor(Colour c) {
  back_ = c;
  ApplyColours();
}

void QtTextBox::ApplyColours() {
  if (!w_) return;
  QPalette p = QApplication::palette(w_);
  const QPalette base = p;
  p.setColor(QPalette::Text, ResolveColour(fore_, base));
  p.setColor(QPalette::Base, ResolveColour(back_, base));
  w_->setPalette(p);
}

// Left and right are the leading and trailing edges: right to left the
// text starts from the right whatever its own direction (QLineEdit would
// otherwise put Latin text on the left), so the alignment is made absolute.
void QtTextBox::SetAlignment(int16_t v) {
  alignment_ = v;
  if (!w_) return;
  const bool rtl = w_->isRightToLeft();
  Qt::Alignment a = v == 2 ? Qt::AlignHCenter : (v == 1) != rtl ? Qt::AlignRight : Qt::AlignLeft;
  w_->setAlignment(a | Qt::AlignAbsolute | Qt::AlignVCenter);
}

bool QtTextBox::Enabled() const { return w_ && w_->isEnabledTo(w_->parentWidget()); }

void QtTextBox::SetEnabled(bool v) {
  if (w_) w_->setEnabled(v);
}

bool QtTextBox::Locked() const { return w_ && w_->isReadOnly(); }

void QtTextBox::SetLocked(bool v) {
  if (w_) w_->setReadOnly(v);
}

void QtTextBox::SetFocus() {
  if (!Enabled()) throw Error(ErrorKind::Widget, "SetFocus: the text box is disabled and cannot take the focus");
  if (!Visible()) throw Error(ErrorKind::Widget, "SetFocus: the text box is hidden and cannot take the focus");
  w_->setFocus(Qt::OtherFocusReason);
}

bool QtTextBox::Focused() const { return w_ && w_->hasFocus(); }

void QtTextBox::SetEvents(TextBoxEvents events) {
  if (w_) w_->SetEvents(std::move(events));
}

}  // namespace cbo::qt
