// What the end user does to the data grid. The grid never edits a cell; its
// own navigation moves the table's current row.
#include <algorithm>

#include "platform/grid_navigation.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {

bool HeadlessDataGrid::Deliverable() const {
  const HeadlessWindow* window = Window();
  return !window || window->Loaded();  // an unloaded window's grid is gone
}

void HeadlessDataGrid::RaiseKeyDown(int16_t& keyCode, int16_t& shift) {
  if (!Deliverable()) return;
  auto handler = events_.KeyDown;
  if (handler) handler(keyCode, shift);
}

void HeadlessDataGrid::RaiseKeyPress(int16_t& keyAscii) {
  if (!Deliverable()) return;
  auto handler = events_.KeyPress;
  if (handler) handler(keyAscii);
}

void HeadlessDataGrid::RaiseMouse(const MouseHandler& handler, int16_t button, float x, float y) {
  if (!Deliverable()) return;
  auto h = handler;
  int16_t shift = 0;
  if (h) h(button, shift, x, y);
}

void HeadlessDataGrid::UserType(char32_t c) {
  int16_t keyAscii = KeyAsciiOf(c);
  int16_t keyCode, shift;
  KeyOfCharacter(c, keyCode, shift);
  auto alive = Alive();
  RaiseKeyDown(keyCode, shift);
  if (!*alive) return;
  RaiseKeyPress(keyAscii);
}

void HeadlessDataGrid::UserKey(int16_t keyCode) {
  const int16_t pressed = keyCode;
  int16_t shift = 0;
  auto alive = Alive();
  RaiseKeyDown(keyCode, shift);
  if (!*alive) return;
  if (Deliverable()) Navigate(keyCode);  // nothing when the handler cleared the key
  if (!*alive) return;
  if (pressed == kEnter || pressed == kEscape || pressed == kBackspace) {
    int16_t keyAscii = pressed;
    RaiseKeyPress(keyAscii);
  }
}

void HeadlessDataGrid::Navigate(int16_t keyCode) {
  if (!Bound()) return;
  const int64_t count = table_->RecordCount();
  if (count == 0) return;
  const int64_t current = table_->Position();  // -1 at EOF
  const std::optional<int64_t> target = GridKeyTarget(keyCode, current, count, std::max(1, VisibleRows()));
  if (target && *target != current) table_->MoveTo(static_cast<int32_t>(*target));
}

void HeadlessDataGrid::UserMove(float x, float y) {
  platform().SetCursor(ScreenLeft() + x, ScreenTop() + y);
  mouseX_ = x;
  mouseY_ = y;
  RaiseMouse(events_.MouseMove, 0, x, y);
}

void HeadlessDataGrid::UserClick(int16_t button) {
  auto alive = Alive();
  RaiseMouse(events_.MouseDown, button, mouseX_, mouseY_);
  if (!*alive) return;
  RaiseMouse(events_.MouseUp, button, mouseX_, mouseY_);
}

void HeadlessDataGrid::UserLayout() {
  if (!Deliverable()) return;
  auto handler = events_.LayoutChanged;
  if (handler) handler();
}

}  // namespace cbo::headless
