#include <algorithm>
#include <limits>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {

namespace {

// A client coordinate far off the screen stays at the edge of what a pixel
// coordinate can hold.
int32_t ClampedDifference(int32_t a, int32_t b) {
  const int64_t d = static_cast<int64_t>(a) - b;
  return static_cast<int32_t>(
      std::clamp<int64_t>(d, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

std::unique_ptr<ITextBox> HeadlessPlatform::CreateTextBox(IWidget& parent) {
  return std::make_unique<HeadlessTextBox>(*this, ParentNode(parent));
}

std::unique_ptr<IPictureBox> HeadlessPlatform::CreatePictureBox(IWidget& parent) {
  return std::make_unique<HeadlessPictureBox>(*this, ParentNode(parent));
}

std::unique_ptr<IButton> HeadlessPlatform::CreateButton(IWidget& parent) {
  return std::make_unique<HeadlessButton>(*this, ParentNode(parent));
}

std::unique_ptr<ILabel> HeadlessPlatform::CreateLabel(IWidget& parent) {
  return std::make_unique<HeadlessLabel>(*this, ParentNode(parent));
}

std::unique_ptr<IDataGrid> HeadlessPlatform::CreateDataGrid(IWidget& parent) {
  return std::make_unique<HeadlessDataGrid>(*this, ParentNode(parent));
}

std::unique_ptr<ITimer> HeadlessPlatform::CreateTimer() { return std::make_unique<HeadlessTimer>(*this); }

std::unique_ptr<IWindow> HeadlessPlatform::CreateWindow() { return std::make_unique<HeadlessWindow>(*this); }

// --- Nodes and handles ---

int32_t HeadlessPlatform::Register(Node* node) {
  int32_t handle = nextHandle_++;
  nodes_[handle] = node;
  return handle;
}

void HeadlessPlatform::Unregister(Node* node) {
  nodes_.erase(node->handle());
  // A child that outlives its parent becomes a top-level node rather than
  // keep a dangling parent.
  for (auto& [handle, other] : nodes_) {
    if (other->parent_ == node) other->parent_ = nullptr;
  }
  if (focus_ == node) focus_ = nullptr;
}

Node* HeadlessPlatform::Find(int32_t hwnd) const {
  auto it = nodes_.find(hwnd);
  return it == nodes_.end() ? nullptr : it->second;
}

// --- Focus ---

void HeadlessPlatform::MoveFocus(Node* to) {
  if (focus_ == to) return;
  Node* from = focus_;
  focus_ = to;
  if (from) from->FocusChanged(false);
  // The old holder's handler may already have moved the focus elsewhere.
  if (to && focus_ == to) to->FocusChanged(true);
}

// --- Modal windows ---

bool HeadlessPlatform::Pump() {
  if (!pump_) return false;
  auto pump = pump_;  // the source may replace itself while it runs
  return pump();
}

void HeadlessPlatform::PopModal(HeadlessWindow* w) {
  auto it = std::find(modal_.rbegin(), modal_.rend(), w);
  if (it != modal_.rend()) modal_.erase(std::next(it).base());
}

// --- Screen services ---

bool HeadlessPlatform::GetWindowRect(int32_t hwnd, PixelRect& rect) const {
  const Node* node = Find(hwnd);
  if (!node) return false;
  double left = node->ScreenLeft(), top = node->ScreenTop();
  rect.Left = ToPixels(left);
  rect.Top = ToPixels(top);
  rect.Right = ToPixels(left + node->width);
  rect.Bottom = ToPixels(top + node->height);
  return true;
}

bool HeadlessPlatform::GetCursorPos(PixelPoint& point) const {
  point.X = ToPixels(cursorX_);
  point.Y = ToPixels(cursorY_);
  return true;
}

bool HeadlessPlatform::ScreenToClient(int32_t hwnd, PixelPoint& point) const {
  const Node* node = Find(hwnd);
  if (!node) return false;
  point.X = ClampedDifference(point.X, ToPixels(node->ScreenLeft()));
  point.Y = ClampedDifference(point.Y, ToPixels(node->ScreenTop()));
  return true;
}

}  // namespace cbo::headless
