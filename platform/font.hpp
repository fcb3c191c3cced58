#pragma once
// Font objects are shared: a property set hands over the reference, so a
// change the control makes (pinning the size) is seen by everyone holding it.
#include <memory>
#include <string>

namespace cbo {

struct Font {
  std::string Name = "DejaVu Sans";
  double Size = 8.25;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikethrough = false;
};

using FontRef = std::shared_ptr<Font>;

inline FontRef MakeFont(std::string name, double size) {
  auto f = std::make_shared<Font>();
  f->Name = std::move(name);
  f->Size = size;
  return f;
}

// A font object of its own with the same face, size and style.
inline FontRef CopyFont(const FontRef& f) { return f ? std::make_shared<Font>(*f) : nullptr; }

}  // namespace cbo
