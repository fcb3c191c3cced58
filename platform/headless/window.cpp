#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {

namespace {

// Once a modal window has closed, the focus goes back to the node that held
// it before, unless someone outside the window has taken it meanwhile. The
// window itself may be gone by now: it is looked up by its handle.
void RestoreFocus(HeadlessPlatform& p, int32_t windowHandle, int32_t focusBefore) {
  const Node* window = p.Find(windowHandle);
  auto inWindow = [window](const Node* n) { return window && n->IsWithin(window); };
  if (p.Focus() && !inWindow(p.Focus())) return;
  Node* before = focusBefore ? p.Find(focusBefore) : nullptr;
  if (before && !inWindow(before) && before->CanTakeFocus()) p.MoveFocus(before);
}

}  // namespace

HeadlessWindow::HeadlessWindow(HeadlessPlatform& p) : Widget(p, nullptr) { visible = false; }

HeadlessWindow::~HeadlessWindow() { platform().PopModal(this); }

void HeadlessWindow::ShowModal() {
  if (!loaded_) throw Error(ErrorKind::Widget, "ShowModal: the window has been unloaded");
  if (visible) throw Error(ErrorKind::Widget, "ShowModal: the window is already shown");
  HeadlessPlatform& p = platform();
  const int32_t self = handle();
  const int32_t focusBefore = p.Focus() ? p.Focus()->handle() : 0;
  auto alive = Alive();
  p.PushModal(this);
  try {
    visible = true;
    auto activate = activate_;
    if (activate) activate();
    RunModalLoop(alive);
  } catch (...) {
    if (*alive) p.PopModal(this);
    throw;
  }
  if (*alive) p.PopModal(this);  // a window destroyed while open left the stack then
  RestoreFocus(p, self, focusBefore);
}

void HeadlessWindow::RunModalLoop(const std::shared_ptr<const bool>& alive) {
  while (*alive && loaded_) {
    if (!platform().Pump()) {
      throw Error(ErrorKind::Widget, "ShowModal: no more input while the modal window is still open");
    }
  }
}

void HeadlessWindow::Unload() {
  loaded_ = false;
  visible = false;
  HeadlessPlatform& p = platform();
  if (p.Focus() && p.Focus()->IsWithin(this)) p.MoveFocus(nullptr);
}

}  // namespace cbo::headless
