#include <cmath>
#include <string>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "platform/variant.hpp"

namespace cbo::headless {

// A column is as wide as a whole number of pixels.
void HeadlessGridColumn::SetWidth(float v) {
  if (!(v >= 0)) throw Error(ErrorKind::Widget, "Width: invalid property value " + FormatNumber(v));
  width_ = static_cast<float>(WholePixels(v));
}

}  // namespace cbo::headless
