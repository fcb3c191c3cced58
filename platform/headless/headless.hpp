#pragma once
// The deterministic headless platform: widgets that behave as real ones do
// (a text box applies keys, selections, locked and disabled states), windows
// and a screen measured in twips, a mouse cursor the host places, and timers
// on a virtual clock that only the host advances. Besides the platform
// interfaces, each widget offers what an end user does to it, so that tests
// and scripted hosts can play a user.
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/container.hpp"
#include "platform/platform.hpp"

namespace cbo::headless {

class HeadlessPlatform;

// The handlers wrapped so that an error escaping one of them is noted on the
// platform (HeadlessPlatform::LastFailedEvent) before it travels on.
TextBoxEvents RecordFailures(HeadlessPlatform& p, int32_t handle, TextBoxEvents events);
ButtonEvents RecordFailures(HeadlessPlatform& p, int32_t handle, ButtonEvents events);
LabelEvents RecordFailures(HeadlessPlatform& p, int32_t handle, LabelEvents events);
GridEvents RecordFailures(HeadlessPlatform& p, int32_t handle, GridEvents events);
std::function<void()> RecordFailures(HeadlessPlatform& p, int32_t handle, const char* event,
                                     std::function<void()> handler);
class HeadlessWindow;

// Common state of every headless widget: position relative to its parent,
// visibility, stacking and a window handle. The platform must outlive every
// node; a node that outlives its parent becomes a top-level node.
class Node {
public:
  Node(HeadlessPlatform& platform, Node* parent);
  virtual ~Node();
  HeadlessPlatform& platform() const { return platform_; }
  Node* parent() const { return parent_; }
  int32_t handle() const { return hwnd_; }
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  // The top-left corner on the screen, in twips.
  virtual double ScreenLeft() const;
  virtual double ScreenTop() const;
  // Whether the platform may give this node the keyboard focus.
  virtual bool CanTakeFocus() const { return visible; }
  // Told by the platform when the node gets (true) or loses (false) the focus.
  virtual void FocusChanged(bool /*got*/) {}
  // True while the node exists: a user action holds a copy across the
  // handlers it runs, which may destroy the node.
  std::shared_ptr<const bool> Alive() const { return alive_; }
  // Whether `ancestor` is this node or holds it, directly or further up.
  bool IsWithin(const Node* ancestor) const;
  // The top-level window that holds this node, or nullptr.
  HeadlessWindow* Window() const;
  double left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  int zorder = 0;

private:
  friend class HeadlessPlatform;
  HeadlessPlatform& platform_;
  Node* parent_;
  int32_t hwnd_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The parent a widget is created in must be a headless node.
Node* ParentNode(IWidget& parent);

// Implements IWidget on a Node; every headless widget derives from it.
template <class Interface>
class Widget : public Interface, public Node {
public:
  Widget(HeadlessPlatform& p, Node* parent) : Node(p, parent) {}
  double Left() const override { return left; }
  double Top() const override { return top; }
  double Width() const override { return width; }
  double Height() const override { return height; }
  void SetLeft(double v) override { left = v; }
  void SetTop(double v) override { top = v; }
  void SetWidth(double v) override { width = v; }
  void SetHeight(double v) override { height = v; }
  bool Visible() const override { return visible; }
  void SetVisible(bool v) override { visible = v; }
  void ZOrder() override;
  int32_t hWnd() const override { return handle(); }
};

// Named keys of the text box and the grid (key codes).
enum Key : int16_t {
  kBackspace = 8,
  kTab = 9,
  kEnter = 13,
  kEscape = 27,
  kPageUp = 33,
  kPageDown = 34,
  kEnd = 35,
  kHome = 36,
  kLeft = 37,
  kUp = 38,
  kRight = 39,
  kDown = 40,
  kDelete = 46
};

// The key a typed character comes from: 65-90 for letters (shift 1 for
// capitals), 48-57 for digits, 32 for space, 0 for any other character.
void KeyOfCharacter(char32_t c, int16_t& keyCode, int16_t& shift);
// The 16-bit KeyAscii of a typed character; a Widget error for a character
// beyond 16 bits, which no single key press can carry.
int16_t KeyAsciiOf(char32_t c);

class HeadlessTextBox : public Widget<ITextBox> {
public:
  HeadlessTextBox(HeadlessPlatform& p, Node* parent);
  std::string Text() const override;
  void SetText(const std::string& text) override;
  int32_t SelStart() const override;
  void SetSelStart(int32_t v) override;
  int32_t SelLength() const override;
  void SetSelLength(int32_t v) override;
  std::string Tag() const override;
  void SetTag(const std::string& v) override;
  FontRef Font() const override;
  void SetFont(FontRef f) override;
  Colour ForeColor() const override;
  void SetForeColor(Colour c) override;
  Colour BackColor() const override;
  void SetBackColor(Colour c) override;
  int16_t Alignment() const override;
  void SetAlignment(int16_t v) override;
  bool Enabled() const override;
  void SetEnabled(bool v) override;
  bool Locked() const override;
  void SetLocked(bool v) override;
  void SetFocus() override;
  bool Focused() const override;
  void SetEvents(TextBoxEvents events) override;

  // --- What the user does. A disabled box gets none of it. ---
  // Types one character: key down, key press, the box applies it unless the
  // key press was cancelled or the box is locked, key up.
  void UserType(char32_t c);
  // One named key: key down (the box applies Delete and the caret keys unless
  // the host set the key code to 0), a key press for Backspace, Enter and
  // Escape, key up.
  void UserKey(int16_t keyCode, int16_t shift);
  void UserSelect(int32_t start, int32_t length);
  void UserPaste(const std::string& text);
  void UserClick();
  void UserDblClick();
  void UserMouse(int kind /*0 down, 1 up, 2 move*/, int16_t button, float x, float y);
  void UserFocus();
  void UserBlur();

  bool CanTakeFocus() const override { return visible && enabled_; }
  void FocusChanged(bool got) override;

private:
  // The box's own editing, as a user's key or paste applies it.
  void ApplyCharacter(char32_t c);
  void Backspace();
  void DeleteForward();
  void MoveCaret(int32_t to, bool extend);
  void ReplaceSelection(const std::u32string& with);
  // Stores the text with the caret at `caret` and no selection; runs Change
  // when the text differs from what the box held.
  void Assign(std::u32string text, int32_t caret);
  int32_t Length() const { return static_cast<int32_t>(text_.size()); }
  // The selection runs from the anchor to the caret (either way round).
  std::u32string text_;
  int32_t anchor_ = 0, caret_ = 0;
  std::string tag_;
  FontRef font_;
  Colour fore_ = 0x80000008u, back_ = 0x80000005u;
  int16_t alignment_ = 0;
  bool enabled_ = true, locked_ = false;
  TextBoxEvents events_;
};

class HeadlessPictureBox : public Widget<IPictureBox> {
public:
  using Widget::Widget;
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override { back_ = c; }
  Colour ForeColor() const override { return fore_; }
  void SetForeColor(Colour c) override { fore_ = c; }
  int16_t Appearance() const override { return appearance_; }
  void SetAppearance(int16_t v) override { appearance_ = v; }
  int16_t BorderStyle() const override { return border_; }
  void SetBorderStyle(int16_t v) override { border_ = v; }

private:
  Colour back_ = 0x8000000Fu, fore_ = 0x80000012u;
  int16_t appearance_ = 1, border_ = 1;
};

class HeadlessButton : public Widget<IButton> {
public:
  HeadlessButton(HeadlessPlatform& p, Node* parent);
  const Picture* GetPicture() const override { return picture_; }
  void SetPicture(const Picture* p) override { picture_ = p; }
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& v) override { caption_ = v; }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { font_ = std::move(f); }
  void SetEvents(ButtonEvents events) override { events_ = RecordFailures(platform(), handle(), std::move(events)); }
  // Mouse down then mouse up with that button (1 left, 2 right); a hidden
  // button gets nothing.
  void UserPress(int16_t button);

private:
  const Picture* picture_ = nullptr;
  std::string caption_;
  FontRef font_;
  ButtonEvents events_;
};

class HeadlessLabel : public Widget<ILabel> {
public:
  using Widget::Widget;
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& v) override { caption_ = v; }
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override { back_ = c; }
  int16_t MousePointer() const override { return pointer_; }
  void SetMousePointer(int16_t v) override { pointer_ = v; }
  void SetEvents(LabelEvents events) override { events_ = RecordFailures(platform(), handle(), std::move(events)); }
  void UserClick();

private:
  std::string caption_;
  Colour back_ = 0x8000000Fu;
  int16_t pointer_ = 0;
  LabelEvents events_;
};

class HeadlessTimer : public ITimer {
public:
  explicit HeadlessTimer(HeadlessPlatform& p);
  ~HeadlessTimer() override;
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool v) override;
  int32_t Interval() const override { return interval_; }
  void SetInterval(int32_t ms) override;
  void SetTick(std::function<void()> tick) override { tick_ = RecordFailures(platform_, 0, "Timer", std::move(tick)); }

private:
  friend class HeadlessPlatform;
  // The next tick falls one interval from now.
  void Schedule();
  HeadlessPlatform& platform_;
  bool enabled_ = false;
  int32_t interval_ = 0;
  int64_t due_ = 0;
  uint64_t order_ = 0;
  std::function<void()> tick_;
};

class HeadlessWindow : public Widget<IWindow> {
public:
  explicit HeadlessWindow(HeadlessPlatform& p);
  ~HeadlessWindow() override;
  double ScreenLeft() const override { return left; }
  double ScreenTop() const override { return top; }
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override { back_ = c; }
  // Runs the platform's event source until the window is unloaded; a Widget
  // error when the source runs dry first.
  void ShowModal() override;
  void Unload() override;
  bool Loaded() const override { return loaded_; }
  void SetActivate(std::function<void()> handler) override {
    activate_ = RecordFailures(platform(), handle(), "Activate", std::move(handler));
  }
  bool Shown() const { return visible; }

private:
  void RunModalLoop(const std::shared_ptr<const bool>& alive);
  Colour back_ = 0x8000000Fu;
  bool loaded_ = true;
  std::function<void()> activate_;
};

class HeadlessGridColumn : public IGridColumn {
public:
  std::string DataField() const override { return dataField_; }
  void SetDataField(const std::string& v) override { dataField_ = v; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool v) override { visible_ = v; }
  float Width() const override { return width_; }
  void SetWidth(float v) override;  // rounded to whole pixels (15 twips)
  int32_t DividerStyle() const override { return divider_; }
  void SetDividerStyle(int32_t v) override { divider_ = v; }
  std::string NumberFormat() const override { return format_; }
  void SetNumberFormat(const std::string& v) override { format_ = v; }
  bool Locked() const override { return locked_; }
  void SetLocked(bool v) override { locked_ = v; }
  int32_t Alignment() const override { return alignment_; }
  void SetAlignment(int32_t v) override { alignment_ = v; }
  bool AllowSizing() const override { return sizing_; }
  void SetAllowSizing(bool v) override { sizing_ = v; }
  bool WrapText() const override { return wrap_; }
  void SetWrapText(bool v) override { wrap_ = v; }

private:
  std::string dataField_;
  bool visible_ = true;
  float width_ = 1005;  // 67 pixels
  int32_t divider_ = 2;
  std::string format_;
  bool locked_ = false;
  int32_t alignment_ = 0;
  bool sizing_ = true, wrap_ = false;
};

class HeadlessDataGrid : public Widget<IDataGrid> {
public:
  HeadlessDataGrid(HeadlessPlatform& p, Node* parent);
  ~HeadlessDataGrid() override;
  void SetDataSource(DataSourceRef table) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { font_ = std::move(f); }
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override { back_ = c; }
  Colour ForeColor() const override { return fore_; }
  void SetForeColor(Colour c) override { fore_ = c; }
  bool RecordSelectors() const override { return recordSelectors_; }
  void SetRecordSelectors(bool v) override { recordSelectors_ = v; }
  int32_t DividerStyle() const override { return divider_; }
  void SetDividerStyle(int32_t v) override;
  bool ColumnHeaders() const override { return columnHeaders_; }
  void SetColumnHeaders(bool v) override;
  float HeadLines() const override { return headLines_; }
  void SetHeadLines(float v) override;
  float RowHeight() const override { return rowHeight_; }
  void SetRowHeight(float v) override;  // rounded to whole pixels
  // A change of size or of the row geometry scrolls the current row into view.
  void SetHeight(double v) override;
  int32_t ColumnCount() const override;
  IGridColumn& Column(int32_t index) override;
  int16_t Row() const override;
  void SetRow(int16_t row) override;
  std::string Tag() const override { return tag_; }
  void SetTag(const std::string& v) override { tag_ = v; }
  void Refresh() override;
  void SetFocus() override;
  void SetEvents(GridEvents events) override { events_ = RecordFailures(platform(), handle(), std::move(events)); }

  // --- What the user does. ---
  // Key down, key press with its code, key up, for each character.
  void UserType(char32_t c);
  // Enter, Escape, Backspace: key down and key press. The navigation keys: key
  // down, then the grid's own navigation moves the table's current row.
  void UserKey(int16_t keyCode);
  // Moves the mouse cursor to (x, y) in the grid's client area and reports a
  // mouse move there.
  void UserMove(float x, float y);
  // A button pressed and released where the cursor is (1 left, 2 right).
  void UserClick(int16_t button);
  void UserLayout();

  // The first row shown (scrolling), for inspection and tests.
  int32_t TopRow() const;
  // Rows that fit below the header band.
  int32_t VisibleRows() const;

  // The header band's height and one row's pitch (row height and divider), twips.
  double HeaderBand() const;
  double RowPitch() const;

private:
  void Follow();  // scrolls so that the table's current row stays in view
  // The first row shown once the least scroll that keeps the current row in
  // view is applied to the last position scrolled to.
  int32_t ScrolledTop() const;
  bool Bound() const { return table_ && table_->State() == 1; }
  void Unbind();
  void Navigate(int16_t keyCode);
  // Events reach the grid's handlers only while its window is loaded.
  bool Deliverable() const;
  void RaiseKeyDown(int16_t& keyCode, int16_t& shift);
  void RaiseKeyPress(int16_t& keyAscii);
  void RaiseMouse(const MouseHandler& handler, int16_t button, float x, float y);
  DataSourceRef table_;
  int subscription_ = 0;
  std::vector<std::unique_ptr<HeadlessGridColumn>> columns_;
  FontRef font_;
  Colour back_ = 0x80000005u, fore_ = 0x80000008u;
  bool recordSelectors_ = true, columnHeaders_ = true;
  int32_t divider_ = 2;
  float headLines_ = 1, rowHeight_ = 225;
  std::string tag_;
  int32_t topRow_ = 0;
  float mouseX_ = 0, mouseY_ = 0;
  GridEvents events_;
};

// The container's surface: the control's constituents lie on it, and it lies
// where the host puts the control on the screen.
class HeadlessSurface : public Widget<IWidget> {
public:
  explicit HeadlessSurface(HeadlessPlatform& p) : Widget(p, nullptr) {}
  double ScreenLeft() const override { return left; }
  double ScreenTop() const override { return top; }
};

// The host's container of one control.
class HeadlessContainer : public IContainer {
public:
  explicit HeadlessContainer(HeadlessPlatform& p);
  ~HeadlessContainer() override;
  Platform& platform() override;
  IWidget& Surface() override;
  void Attach(IControlSite* control) override { control_ = control; }
  double Width() const override;
  double Height() const override;
  // Resizing reports to the control's resize handler when the size changes.
  void SetWidth(double v) override;
  void SetHeight(double v) override;
  void PropertyChanged(const std::string& name) override;
  void RaiseEvent(int number, std::span<Variant> args) override;
  FontRef AmbientFont() override;

  // --- The host's side. ---
  // Both width and height at once, then one resize notification.
  void Resize(double width, double height);
  // Where the control lies on the screen, in twips.
  void SetScreenPosition(double left, double top);
  void SetAmbientFont(FontRef f) { ambient_ = std::move(f); }
  std::function<void(const std::string& name)> OnPropertyChanged;
  std::function<void(int number, std::span<Variant> args)> OnEvent;
  IControlSite* control() const { return control_; }

private:
  void SizeChanged();
  HeadlessPlatform& platform_;
  std::unique_ptr<HeadlessSurface> surface_;
  IControlSite* control_ = nullptr;
  double width_ = 0, height_ = 0;
  FontRef ambient_, defaultAmbient_;
};

// A property bag that records every write in order with its value and default.
class HeadlessPropertyBag : public IPropertyBag {
public:
  struct Entry {
    std::string Name;
    Variant Value;
    Variant Default;
  };
  Variant Read(const std::string& name, const Variant& defaultValue) override;
  // A name already written is replaced where it stands.
  void Write(const std::string& name, const Variant& value, const Variant& defaultValue) override;
  void Clear() { entries_.clear(); }
  const std::vector<Entry>& Entries() const { return entries_; }

private:
  std::vector<Entry> entries_;
};

class HeadlessPlatform : public Platform, public IWindowServices {
public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  std::unique_ptr<ITextBox> CreateTextBox(IWidget& parent) override;
  std::unique_ptr<IPictureBox> CreatePictureBox(IWidget& parent) override;
  std::unique_ptr<IButton> CreateButton(IWidget& parent) override;
  std::unique_ptr<ILabel> CreateLabel(IWidget& parent) override;
  std::unique_ptr<IDataGrid> CreateDataGrid(IWidget& parent) override;
  std::unique_ptr<ITimer> CreateTimer() override;
  std::unique_ptr<IWindow> CreateWindow() override;
  IWindowServices& Services() override { return *this; }

  double ScreenWidth() const override { return screenW_; }
  double ScreenHeight() const override { return screenH_; }
  bool GetWindowRect(int32_t hwnd, PixelRect& rect) const override;
  bool GetCursorPos(PixelPoint& point) const override;
  bool ScreenToClient(int32_t hwnd, PixelPoint& point) const override;

  // --- The environment, set by the host. ---
  void SetScreenSize(double w, double h) {
    screenW_ = w;
    screenH_ = h;
  }  // twips
  void SetCursor(double x, double y) {
    cursorX_ = x;
    cursorY_ = y;
  }  // screen twips, no event
  double CursorX() const { return cursorX_; }
  double CursorY() const { return cursorY_; }
  // Advances the virtual clock; every timer that comes due runs, in order.
  void Advance(int64_t ms);
  int64_t Now() const { return now_; }
  // A modal window runs this until it is unloaded; it returns false when the
  // host has no more input.
  void SetEventSource(std::function<bool()> pump) { pump_ = std::move(pump); }
  // The innermost widget event whose handler an error escaped: the handler
  // part of its name ("KeyPress", "Change", "MouseUp", "Timer", ...; "" when
  // none) and the widget's handle (0 for a timer). The host clears it.
  const std::string& LastFailedEvent() const { return failedEvent_; }
  int32_t LastFailedHandle() const { return failedHandle_; }
  void ClearFailedEvent();
  // Called while the error escapes a handler; an inner handler that already
  // noted the same error keeps its name.
  void NoteFailure(const char* event, int32_t handle);
  // How often a widget has beeped (a single-line box refusing Enter or Escape).
  int Beeps() const { return beeps_; }
  // The open modal windows, innermost last.
  const std::vector<HeadlessWindow*>& ModalWindows() const { return modal_; }
  // The widget with focus (a text box or the grid), or nullptr.
  Node* Focus() const { return focus_; }

  // --- Used by the widgets. ---
  int32_t Register(Node* node);
  void Unregister(Node* node);
  Node* Find(int32_t hwnd) const;
  void MoveFocus(Node* to);  // sends lost/got focus
  void AddTimer(HeadlessTimer* t);
  void RemoveTimer(HeadlessTimer* t);
  uint64_t NextTimerOrder() { return ++timerOrder_; }
  int NextZOrder() { return ++zorder_; }
  void Beep() { ++beeps_; }
  bool Pump();
  void PushModal(HeadlessWindow* w) { modal_.push_back(w); }
  void PopModal(HeadlessWindow* w);

private:
  HeadlessTimer* NextDue(int64_t until) const;
  std::map<int32_t, Node*> nodes_;
  int32_t nextHandle_ = 0x1000;
  std::vector<HeadlessTimer*> timers_;
  uint64_t timerOrder_ = 0;
  int zorder_ = 0;
  int beeps_ = 0;
  int64_t now_ = 0;
  double screenW_ = 15360, screenH_ = 11520;
  double cursorX_ = 0, cursorY_ = 0;
  std::function<bool()> pump_;
  std::string failedEvent_;
  int32_t failedHandle_ = 0;
  std::exception_ptr failedError_;
  std::vector<HeadlessWindow*> modal_;
  Node* focus_ = nullptr;
};

// Pixels from twips: divided by 15, rounded to nearest, halves away from zero.
int32_t ToPixels(double twips);
// A length in twips rounded to whole pixels (15 twips each, halves away from
// zero) and given back in twips; kept in floating point, so a length of any
// size rounds without overflowing.
double WholePixels(double twips);

template <class Interface>
void Widget<Interface>::ZOrder() {
  zorder = platform().NextZOrder();
}

}  // namespace cbo::headless
