// Noting which widget event an error escaped from, so that a host can name the
// failing handler (Txt_Cbo_KeyPress, MSF_KeyDown, T_Trova_Timer, ...).
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {

namespace {

template <class... A>
std::function<void(A...)> Wrap(HeadlessPlatform& p, int32_t handle, const char* event,
                               std::function<void(A...)> handler) {
  if (!handler) return handler;
  return [&p, handle, event, handler = std::move(handler)](A... args) {
    try {
      handler(args...);
    } catch (const Error&) {
      p.NoteFailure(event, handle);
      throw;
    }
  };
}

}  // namespace

void HeadlessPlatform::ClearFailedEvent() {
  failedEvent_.clear();
  failedHandle_ = 0;
  failedError_ = nullptr;
}

void HeadlessPlatform::NoteFailure(const char* event, int32_t handle) {
  std::exception_ptr current = std::current_exception();
  if (current == failedError_) return;
  failedError_ = current;
  failedEvent_ = event;
  failedHandle_ = handle;
}

TextBoxEvents RecordFailures(HeadlessPlatform& p, int32_t h, TextBoxEvents e) {
  e.Change = Wrap(p, h, "Change", std::move(e.Change));
  e.KeyDown = Wrap(p, h, "KeyDown", std::move(e.KeyDown));
  e.KeyPress = Wrap(p, h, "KeyPress", std::move(e.KeyPress));
  e.KeyUp = Wrap(p, h, "KeyUp", std::move(e.KeyUp));
  e.MouseDown = Wrap(p, h, "MouseDown", std::move(e.MouseDown));
  e.MouseMove = Wrap(p, h, "MouseMove", std::move(e.MouseMove));
  e.MouseUp = Wrap(p, h, "MouseUp", std::move(e.MouseUp));
  e.Click = Wrap(p, h, "Click", std::move(e.Click));
  e.DblClick = Wrap(p, h, "DblClick", std::move(e.DblClick));
  e.GotFocus = Wrap(p, h, "GotFocus", std::move(e.GotFocus));
  e.LostFocus = Wrap(p, h, "LostFocus", std::move(e.LostFocus));
  return e;
}

ButtonEvents RecordFailures(HeadlessPlatform& p, int32_t h, ButtonEvents e) {
  e.MouseDown = Wrap(p, h, "MouseDown", std::move(e.MouseDown));
  e.MouseUp = Wrap(p, h, "MouseUp", std::move(e.MouseUp));
  return e;
}

LabelEvents RecordFailures(HeadlessPlatform& p, int32_t h, LabelEvents e) {
  e.Click = Wrap(p, h, "Click", std::move(e.Click));
  return e;
}

GridEvents RecordFailures(HeadlessPlatform& p, int32_t h, GridEvents e) {
  e.KeyPress = Wrap(p, h, "KeyPress", std::move(e.KeyPress));
  e.KeyDown = Wrap(p, h, "KeyDown", std::move(e.KeyDown));
  e.MouseMove = Wrap(p, h, "MouseMove", std::move(e.MouseMove));
  e.MouseDown = Wrap(p, h, "MouseDown", std::move(e.MouseDown));
  e.MouseUp = Wrap(p, h, "MouseUp", std::move(e.MouseUp));
  e.LayoutChanged = Wrap(p, h, "ColResize", std::move(e.LayoutChanged));
  return e;
}

std::function<void()> RecordFailures(HeadlessPlatform& p, int32_t h, const char* event, std::function<void()> handler) {
  return Wrap(p, h, event, std::move(handler));
}

}  // namespace cbo::headless
