#pragma once
// Top-level windows and the screen: what the drop-down window needs to size,
// place and show itself, and to know where the mouse cursor is.
#include <cstdint>
#include <functional>

#include "platform/colour.hpp"
#include "platform/widgets.hpp"

namespace cbo {

class IWindow : public IWidget {
public:
  // Left and Top are screen coordinates (twips).
  virtual Colour BackColor() const = 0;
  virtual void SetBackColor(Colour c) = 0;
  // Shows the window modally: returns only once the window has been unloaded.
  virtual void ShowModal() = 0;
  virtual void Unload() = 0;
  virtual bool Loaded() const = 0;
  // Runs whenever the window becomes active.
  virtual void SetActivate(std::function<void()> handler) = 0;
};

struct PixelRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
struct PixelPoint {
  int32_t X = 0, Y = 0;
};

class IWindowServices {
public:
  virtual ~IWindowServices() = default;
  virtual double ScreenWidth() const = 0;  // twips
  virtual double ScreenHeight() const = 0;
  // A window's rectangle on the screen, in pixels; false for an unknown handle.
  virtual bool GetWindowRect(int32_t hwnd, PixelRect& rect) const = 0;
  virtual bool GetCursorPos(PixelPoint& point) const = 0;
  // Converts a screen point (pixels) into the client coordinates of a window.
  virtual bool ScreenToClient(int32_t hwnd, PixelPoint& point) const = 0;
};

}  // namespace cbo
