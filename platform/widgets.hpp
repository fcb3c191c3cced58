#pragma once
// The narrow interfaces of the standard widgets the control and the grid
// window are made of. Lengths are twips; a widget's position is relative to
// its parent. Each backend (headless, Qt) implements them; a value a widget
// refuses is a Widget error naming the property.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/colour.hpp"
#include "platform/font.hpp"

namespace cbo {

class IWidget {
public:
  virtual ~IWidget() = default;
  virtual double Left() const = 0;
  virtual double Top() const = 0;
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  virtual void SetLeft(double v) = 0;
  virtual void SetTop(double v) = 0;
  virtual void SetWidth(double v) = 0;
  virtual void SetHeight(double v) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool v) = 0;
  // Brings the widget in front of its siblings.
  virtual void ZOrder() = 0;
  // The platform's window handle, for the window and screen services.
  virtual int32_t hWnd() const = 0;
};

// Mouse arguments as the widgets deliver them: button, shift mask, X, Y (twips).
using MouseHandler = std::function<void(int16_t& button, int16_t& shift, float& x, float& y)>;
using KeyHandler = std::function<void(int16_t& keyCode, int16_t& shift)>;

struct TextBoxEvents {
  std::function<void()> Change;  // runs inside the assignment that changed the text
  KeyHandler KeyDown;
  std::function<void(int16_t& keyAscii)> KeyPress;
  KeyHandler KeyUp;
  MouseHandler MouseDown, MouseMove, MouseUp;
  std::function<void()> Click, DblClick, GotFocus, LostFocus;
};

// A single-line text box. Positions and lengths of the selection count
// characters; setting them clamps them to the text as a real box does.
class ITextBox : public IWidget {
public:
  virtual std::string Text() const = 0;
  // Runs the change handler synchronously, before returning, when the text changes.
  virtual void SetText(const std::string& text) = 0;
  virtual int32_t SelStart() const = 0;
  virtual void SetSelStart(int32_t v) = 0;  // negative: Widget error
  virtual int32_t SelLength() const = 0;
  virtual void SetSelLength(int32_t v) = 0;  // negative: Widget error
  virtual std::string Tag() const = 0;
  virtual void SetTag(const std::string& v) = 0;
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
  virtual Colour ForeColor() const = 0;
  virtual void SetForeColor(Colour c) = 0;
  virtual Colour BackColor() const = 0;
  virtual void SetBackColor(Colour c) = 0;
  virtual int16_t Alignment() const = 0;
  virtual void SetAlignment(int16_t v) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool v) = 0;
  // A locked box refuses the user's edits, not the code's.
  virtual bool Locked() const = 0;
  virtual void SetLocked(bool v) = 0;
  // Widget error when the box cannot take the focus (hidden or disabled).
  virtual void SetFocus() = 0;
  virtual bool Focused() const = 0;
  virtual void SetEvents(TextBoxEvents events) = 0;
};

// A picture box: a frame that can hold other widgets.
class IPictureBox : public IWidget {
public:
  virtual Colour BackColor() const = 0;
  virtual void SetBackColor(Colour c) = 0;
  virtual Colour ForeColor() const = 0;
  virtual void SetForeColor(Colour c) = 0;
  virtual int16_t Appearance() const = 0;  // 0 flat, 1 three-dimensional
  virtual void SetAppearance(int16_t v) = 0;
  virtual int16_t BorderStyle() const = 0;  // 0 none, 1 fixed single
  virtual void SetBorderStyle(int16_t v) = 0;
};

// An 11 x 11 button picture. Each pixel is 0xAARRGGBB; alpha 0 is transparent.
struct Picture {
  int Number = 0;  // its number in the image list, 1 to 14
  uint32_t Pixels[11][11] = {};
};

struct ButtonEvents {
  MouseHandler MouseDown, MouseUp;
};

class IButton : public IWidget {
public:
  virtual const Picture* GetPicture() const = 0;  // nullptr: no picture
  virtual void SetPicture(const Picture* p) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& v) = 0;
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
  virtual void SetEvents(ButtonEvents events) = 0;
};

struct LabelEvents {
  std::function<void()> Click;
};

class ILabel : public IWidget {
public:
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& v) = 0;
  virtual Colour BackColor() const = 0;
  virtual void SetBackColor(Colour c) = 0;
  // 0 the platform's default cursor, 99 the custom cursor of the design.
  virtual int16_t MousePointer() const = 0;
  virtual void SetMousePointer(int16_t v) = 0;
  virtual void SetEvents(LabelEvents events) = 0;
};

// A timer that ticks every Interval milliseconds while enabled. Enabling a
// timer that is already enabled does not move its schedule.
class ITimer {
public:
  virtual ~ITimer() = default;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool v) = 0;
  virtual int32_t Interval() const = 0;
  virtual void SetInterval(int32_t ms) = 0;
  virtual void SetTick(std::function<void()> tick) = 0;
};

}  // namespace cbo
