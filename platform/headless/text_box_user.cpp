// What the end user does to a text box. A disabled box gets none of it; a
// locked one raises its key events but keeps its text.
#include <algorithm>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "platform/text.hpp"

namespace cbo::headless {

namespace {

void RaiseKey(const KeyHandler& handler, int16_t& keyCode, int16_t& shift) {
  auto h = handler;
  if (h) h(keyCode, shift);
}

void RaiseKeyPress(const std::function<void(int16_t&)>& handler, int16_t& keyAscii) {
  auto h = handler;
  if (h) h(keyAscii);
}

void RaiseMouse(const MouseHandler& handler, int16_t button, float x, float y) {
  auto h = handler;
  int16_t shift = 0;
  if (h) h(button, shift, x, y);
}

void RaiseSimple(const std::function<void()>& handler) {
  auto h = handler;
  if (h) h();
}

}  // namespace

void HeadlessTextBox::UserType(char32_t c) {
  if (!enabled_) return;
  int16_t keyAscii = KeyAsciiOf(c);
  auto alive = Alive();
  int16_t keyCode, shift;
  KeyOfCharacter(c, keyCode, shift);
  // Key up is a message of its own: it reports the key released, whatever a
  // key-down handler wrote into its arguments.
  int16_t upCode = keyCode, upShift = shift;
  RaiseKey(events_.KeyDown, keyCode, shift);
  if (!*alive) return;
  RaiseKeyPress(events_.KeyPress, keyAscii);
  if (!*alive) return;
  // The host may have cancelled the character (0) or put another in its place.
  if (keyAscii != 0 && !locked_) ApplyCharacter(static_cast<char32_t>(static_cast<uint16_t>(keyAscii)));
  if (!*alive) return;
  RaiseKey(events_.KeyUp, upCode, upShift);
}

void HeadlessTextBox::UserKey(int16_t keyCode, int16_t shift) {
  if (!enabled_) return;
  auto alive = Alive();
  const int16_t pressed = keyCode;
  int16_t upCode = keyCode, upShift = shift;  // key up reports the key released
  RaiseKey(events_.KeyDown, keyCode, shift);
  if (!*alive) return;
  // The box handles the key the key-down handler left, unless it cleared it.
  const bool extend = (shift & 1) != 0;
  switch (keyCode) {
    case kDelete:
      if (!locked_) DeleteForward();
      break;
    case kLeft:
      if (!extend && SelLength() > 0)
        MoveCaret(SelStart(), false);
      else
        MoveCaret(caret_ - 1, extend);
      break;
    case kRight:
      if (!extend && SelLength() > 0)
        MoveCaret(SelStart() + SelLength(), false);
      else
        MoveCaret(caret_ + 1, extend);
      break;
    case kHome: MoveCaret(0, extend); break;
    case kEnd: MoveCaret(Length(), extend); break;
    default: break;  // Up, Down, PageUp, PageDown, Tab and the rest change nothing here
  }
  if (!*alive) return;
  // These keys make a character of their own.
  if (pressed == kBackspace || pressed == kEnter || pressed == kEscape) {
    int16_t keyAscii = pressed;
    RaiseKeyPress(events_.KeyPress, keyAscii);
    if (!*alive) return;
    if (keyAscii != 0 && !locked_) ApplyCharacter(static_cast<char32_t>(static_cast<uint16_t>(keyAscii)));
    if (!*alive) return;
  }
  RaiseKey(events_.KeyUp, upCode, upShift);
}

void HeadlessTextBox::UserSelect(int32_t start, int32_t length) {
  if (!enabled_) return;
  anchor_ = std::clamp(start, 0, Length());
  caret_ = anchor_ + std::clamp(length, 0, Length() - anchor_);
}

void HeadlessTextBox::UserPaste(const std::string& text) {
  if (!enabled_ || locked_) return;
  // A single-line box takes the pasted text up to its first line break.
  std::u32string chars = text::Decode(text);
  chars = chars.substr(0, chars.find_first_of(U"\r\n"));
  ReplaceSelection(chars);
}

void HeadlessTextBox::UserFocus() {
  if (!enabled_ || !CanTakeFocus()) return;
  platform().MoveFocus(this);
}

void HeadlessTextBox::UserBlur() {
  if (!enabled_ || !Focused()) return;
  platform().MoveFocus(nullptr);
}

void HeadlessTextBox::UserClick() {
  if (!enabled_) return;
  auto alive = Alive();
  UserFocus();
  if (!*alive) return;
  RaiseMouse(events_.MouseDown, 1, 0, 0);
  if (!*alive) return;
  RaiseMouse(events_.MouseUp, 1, 0, 0);
  if (!*alive) return;
  RaiseSimple(events_.Click);
}

void HeadlessTextBox::UserDblClick() {
  if (!enabled_) return;
  auto alive = Alive();
  RaiseMouse(events_.MouseDown, 1, 0, 0);
  if (!*alive) return;
  RaiseMouse(events_.MouseUp, 1, 0, 0);
  if (!*alive) return;
  RaiseSimple(events_.Click);
  if (!*alive) return;
  RaiseSimple(events_.DblClick);
  if (!*alive) return;
  RaiseMouse(events_.MouseUp, 1, 0, 0);
}

void HeadlessTextBox::UserMouse(int kind, int16_t button, float x, float y) {
  if (!enabled_) return;
  switch (kind) {
    case 0: RaiseMouse(events_.MouseDown, button, x, y); break;
    case 1: RaiseMouse(events_.MouseUp, button, x, y); break;
    case 2: RaiseMouse(events_.MouseMove, button, x, y); break;
    default: throw Error(ErrorKind::Widget, "UserMouse: unknown mouse event kind " + std::to_string(kind));
  }
}

}  // namespace cbo::headless
