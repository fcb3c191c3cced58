#pragma once
// A platform creates the widgets and offers the window and screen services.
// The logic reaches a backend only through this and the interfaces it returns.
#include <memory>

#include "platform/data_grid.hpp"
#include "platform/widgets.hpp"
#include "platform/window.hpp"

namespace cbo {

class Platform {
public:
  virtual ~Platform() = default;
  // Each widget is created inside `parent` (its coordinates are relative to it).
  virtual std::unique_ptr<ITextBox> CreateTextBox(IWidget& parent) = 0;
  virtual std::unique_ptr<IPictureBox> CreatePictureBox(IWidget& parent) = 0;
  virtual std::unique_ptr<IButton> CreateButton(IWidget& parent) = 0;
  virtual std::unique_ptr<ILabel> CreateLabel(IWidget& parent) = 0;
  virtual std::unique_ptr<IDataGrid> CreateDataGrid(IWidget& parent) = 0;
  virtual std::unique_ptr<ITimer> CreateTimer() = 0;
  // A top-level window, not yet shown.
  virtual std::unique_ptr<IWindow> CreateWindow() = 0;
  virtual IWindowServices& Services() = 0;
};

}  // namespace cbo
