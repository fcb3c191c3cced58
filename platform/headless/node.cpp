#include <cmath>
#include <limits>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {

Node::Node(HeadlessPlatform& platform, Node* parent)
    : platform_(platform), parent_(parent), hwnd_(platform.Register(this)) {}

Node::~Node() {
  *alive_ = false;
  platform_.Unregister(this);
}

double Node::ScreenLeft() const { return parent_ ? parent_->ScreenLeft() + left : left; }

double Node::ScreenTop() const { return parent_ ? parent_->ScreenTop() + top : top; }

bool Node::IsWithin(const Node* ancestor) const {
  for (const Node* n = this; n; n = n->parent_) {
    if (n == ancestor) return true;
  }
  return false;
}

HeadlessWindow* Node::Window() const {
  for (const Node* n = this; n; n = n->parent_) {
    if (auto* w = dynamic_cast<HeadlessWindow*>(const_cast<Node*>(n))) return w;
  }
  return nullptr;
}

Node* ParentNode(IWidget& parent) {
  auto* node = dynamic_cast<Node*>(&parent);
  if (!node) throw Error(ErrorKind::Widget, "parent: the widget does not belong to the headless platform");
  return node;
}

int32_t ToPixels(double twips) {
  if (std::isnan(twips)) return 0;
  double pixels = std::round(twips / 15.0);  // halves away from zero
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  if (pixels < kMin) return std::numeric_limits<int32_t>::min();
  if (pixels > kMax) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(pixels);
}

double WholePixels(double twips) { return std::round(twips / 15.0) * 15.0; }

}  // namespace cbo::headless
