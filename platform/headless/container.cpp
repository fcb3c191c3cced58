#include "platform/headless/headless.hpp"

namespace cbo::headless {

HeadlessContainer::HeadlessContainer(HeadlessPlatform& p)
    : platform_(p), surface_(std::make_unique<HeadlessSurface>(p)) {}

HeadlessContainer::~HeadlessContainer() = default;

Platform& HeadlessContainer::platform() { return platform_; }

IWidget& HeadlessContainer::Surface() { return *surface_; }

double HeadlessContainer::Width() const { return width_; }

double HeadlessContainer::Height() const { return height_; }

void HeadlessContainer::SetWidth(double v) {
  if (v == width_) return;
  width_ = v;
  SizeChanged();
}

void HeadlessContainer::SetHeight(double v) {
  if (v == height_) return;
  height_ = v;
  SizeChanged();
}

// The host's resize always notifies the control, as a container does when it
// lays its controls out, even when the size stays the same.
void HeadlessContainer::Resize(double width, double height) {
  width_ = width;
  height_ = height;
  SizeChanged();
}

// The surface takes the new size and the control lays itself out at once; a
// layout pass may resize the control again from inside.
void HeadlessContainer::SizeChanged() {
  surface_->width = width_;
  surface_->height = height_;
  if (control_) control_->Resize();
}

void HeadlessContainer::SetScreenPosition(double left, double top) {
  surface_->left = left;
  surface_->top = top;
}

void HeadlessContainer::PropertyChanged(const std::string& name) {
  auto handler = OnPropertyChanged;
  if (handler) handler(name);
}

void HeadlessContainer::RaiseEvent(int number, std::span<Variant> args) {
  auto handler = OnEvent;
  if (handler) handler(number, args);
}

FontRef HeadlessContainer::AmbientFont() {
  if (ambient_) return ambient_;
  if (!defaultAmbient_) defaultAmbient_ = MakeFont("DejaVu Sans", 8.25);
  return defaultAmbient_;
}

}  // namespace cbo::headless
