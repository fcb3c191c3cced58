// The plain widgets: button and label (the picture box is all in the header).
#include "platform/headless/headless.hpp"

namespace cbo::headless {

HeadlessButton::HeadlessButton(HeadlessPlatform& p, Node* parent)
    : Widget(p, parent), font_(MakeFont("DejaVu Sans", 8.25)) {}

void HeadlessButton::UserPress(int16_t button) {
  if (!visible) return;
  auto alive = Alive();
  int16_t b = button, shift = 0;
  float x = 0, y = 0;
  auto down = events_.MouseDown;
  if (down) down(b, shift, x, y);
  if (!*alive) return;
  b = button, shift = 0, x = 0, y = 0;
  auto up = events_.MouseUp;
  if (up) up(b, shift, x, y);
}

void HeadlessLabel::UserClick() {
  if (!visible) return;
  auto click = events_.Click;
  if (click) click();
}

}  // namespace cbo::headless
