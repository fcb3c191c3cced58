// The text box's properties and the edits it applies. The user's actions,
// which raise its events, are in text_box_user.cpp.
#include <algorithm>
#include <string>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "platform/text.hpp"

namespace cbo::headless {

namespace {
void RunHandler(const std::function<void()>& handler) {
  auto h = handler;  // the handler may replace the box's handlers while it runs
  if (h) h();
}
}  // namespace

HeadlessTextBox::HeadlessTextBox(HeadlessPlatform& p, Node* parent)
    : Widget(p, parent), font_(MakeFont("DejaVu Sans", 8.25)) {}

std::string HeadlessTextBox::Text() const { return text::Encode(text_); }

void HeadlessTextBox::SetText(const std::string& text) {
  std::u32string chars = text::Decode(text);
  if (chars == text_) return;
  Assign(std::move(chars), 0);
}

int32_t HeadlessTextBox::SelStart() const { return std::min(anchor_, caret_); }

void HeadlessTextBox::SetSelStart(int32_t v) {
  if (v < 0) throw Error(ErrorKind::Widget, "SelStart: invalid property value " + std::to_string(v));
  anchor_ = caret_ = std::min(v, Length());
}

int32_t HeadlessTextBox::SelLength() const { return std::max(anchor_, caret_) - SelStart(); }

void HeadlessTextBox::SetSelLength(int32_t v) {
  if (v < 0) throw Error(ErrorKind::Widget, "SelLength: invalid property value " + std::to_string(v));
  int32_t start = SelStart();
  anchor_ = start;
  caret_ = start + std::min(v, Length() - start);
}

std::string HeadlessTextBox::Tag() const { return tag_; }
void HeadlessTextBox::SetTag(const std::string& v) { tag_ = v; }
FontRef HeadlessTextBox::Font() const { return font_; }
void HeadlessTextBox::SetFont(FontRef f) { font_ = std::move(f); }
Colour HeadlessTextBox::ForeColor() const { return fore_; }
void HeadlessTextBox::SetForeColor(Colour c) { fore_ = c; }
Colour HeadlessTextBox::BackColor() const { return back_; }
void HeadlessTextBox::SetBackColor(Colour c) { back_ = c; }
int16_t HeadlessTextBox::Alignment() const { return alignment_; }
void HeadlessTextBox::SetAlignment(int16_t v) { alignment_ = v; }
bool HeadlessTextBox::Enabled() const { return enabled_; }
void HeadlessTextBox::SetEnabled(bool v) { enabled_ = v; }
bool HeadlessTextBox::Locked() const { return locked_; }
void HeadlessTextBox::SetLocked(bool v) { locked_ = v; }
void HeadlessTextBox::SetEvents(TextBoxEvents events) {
  events_ = RecordFailures(platform(), handle(), std::move(events));
}

void HeadlessTextBox::SetFocus() {
  if (!enabled_) throw Error(ErrorKind::Widget, "SetFocus: the text box is disabled and cannot take the focus");
  if (!visible) throw Error(ErrorKind::Widget, "SetFocus: the text box is hidden and cannot take the focus");
  platform().MoveFocus(this);
}

bool HeadlessTextBox::Focused() const { return platform().Focus() == this; }

void HeadlessTextBox::FocusChanged(bool got) { RunHandler(got ? events_.GotFocus : events_.LostFocus); }

// --- Editing ---

void HeadlessTextBox::Assign(std::u32string text, int32_t caret) {
  bool changed = text != text_;
  text_ = std::move(text);
  anchor_ = caret_ = std::clamp(caret, 0, Length());
  if (changed) RunHandler(events_.Change);
}

void HeadlessTextBox::ReplaceSelection(const std::u32string& with) {
  auto start = static_cast<size_t>(SelStart());
  auto length = static_cast<size_t>(SelLength());
  std::u32string text = text_.substr(0, start) + with + text_.substr(start + length);
  Assign(std::move(text), static_cast<int32_t>(start + with.size()));
}

void HeadlessTextBox::ApplyCharacter(char32_t c) {
  if (c == 8) {
    Backspace();
  } else if (c < 32 || (c >= 0xD800 && c <= 0xDFFF)) {
    // A single-line box takes no control characters (Enter, Escape, ...)
    // and no half of a surrogate pair.
    platform().Beep();
  } else {
    ReplaceSelection(std::u32string(1, c));
  }
}

void HeadlessTextBox::Backspace() {
  if (SelLength() > 0) {
    ReplaceSelection(U"");
  } else if (caret_ > 0) {
    std::u32string text = text_;
    text.erase(static_cast<size_t>(caret_ - 1), 1);
    Assign(std::move(text), caret_ - 1);
  }
}

void HeadlessTextBox::DeleteForward() {
  if (SelLength() > 0) {
    ReplaceSelection(U"");
  } else if (caret_ < Length()) {
    std::u32string text = text_;
    text.erase(static_cast<size_t>(caret_), 1);
    Assign(std::move(text), caret_);
  }
}

void HeadlessTextBox::MoveCaret(int32_t to, bool extend) {
  caret_ = std::clamp(to, 0, Length());
  if (!extend) anchor_ = caret_;
}

}  // namespace cbo::headless
