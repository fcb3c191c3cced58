#pragma once
// Qt's keys, modifiers and mouse buttons as the logic numbers them.
#include <QKeyEvent>
#include <QMouseEvent>
#include <cstdint>

namespace cbo::qt {

// Key codes: 65-90 letters, 48-57 digits, 32 space, 8 Backspace, 9 Tab,
// 13 Enter, 27 Escape, 33-40 the page, end, home and arrow keys, 45 Insert,
// 46 Delete, 112-123 F1-F12, 16-18 Shift, Ctrl, Alt; 0 for any other key.
int16_t KeyCodeOf(const QKeyEvent& e);
// Shift 1, Ctrl 2, Alt 4.
int16_t ShiftOf(Qt::KeyboardModifiers m);
// 1 left, 2 right, 4 middle; for a set of buttons, their sum.
int16_t ButtonsOf(Qt::MouseButtons b);
// The 16-bit character a key types, or 0 when it types none (a control
// character, or a character beyond 16 bits that no key press carries).
int16_t CharacterOf(const QKeyEvent& e);

// Doubles as the Detach hook of the platform's own Qt subclasses: a widget
// disposed of while one of its handlers runs forgets its handlers at once.
class Detachable {
public:
  virtual ~Detachable() = default;
  virtual void Detach() = 0;
};

}  // namespace cbo::qt
