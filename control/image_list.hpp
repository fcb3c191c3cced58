#pragma once
// ImageList1: the fourteen pictures of the drop-down button, numbered 1 to 14.
#include <cstdint>

#include "platform/widgets.hpp"

namespace cbo {

class ImageList {
public:
  static const ImageList& Pulsanti();
  int Count() const { return 14; }
  // Picture `number` (1 to 14); nullptr for any other number.
  const Picture* ListImages(int number) const;

private:
  ImageList();
  Picture pictures_[14];
};

// The picture number that shows a TipoPulsante value; 0 (no picture) for a
// value outside the enumeration.
uint8_t IndiceImmaginePulsante(int32_t tipo);

}  // namespace cbo
