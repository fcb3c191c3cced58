#include "platform/qt/keys.hpp"

namespace cbo::qt {

int16_t KeyCodeOf(const QKeyEvent& e) {
  const int k = e.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<int16_t>(65 + (k - Qt::Key_A));
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<int16_t>(48 + (k - Qt::Key_0));
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return static_cast<int16_t>(112 + (k - Qt::Key_F1));
  switch (k) {
    case Qt::Key_Space: return 32;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: return 0;
  }
}

int16_t ShiftOf(Qt::KeyboardModifiers m) {
  int16_t s = 0;
  if (m & Qt::ShiftModifier) s |= 1;
  if (m & Qt::ControlModifier) s |= 2;
  if (m & Qt::AltModifier) s |= 4;
  return s;
}

int16_t ButtonsOf(Qt::MouseButtons b) {
  int16_t n = 0;
  if (b & Qt::LeftButton) n |= 1;
  if (b & Qt::RightButton) n |= 2;
  if (b & Qt::MiddleButton) n |= 4;
  return n;
}

int16_t CharacterOf(const QKeyEvent& e) {
  const QString text = e.text();
  if (text.size() != 1) return 0;
  const char16_t u = text.at(0).unicode();
  if (u < 32 || u == 127 || QChar::isSurrogate(u)) return 0;
  if (e.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return 0;
  return static_cast<int16_t>(u);
}

}  // namespace cbo::qt
