#include "platform/picture_set.h"

#include <cstdint>

namespace zorvane {
namespace {

int MulDivRounded(int length, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(length) * numerator;
  return static_cast<int>((product + denominator / 2) / denominator);
}

}  // namespace

PictureAtDpi PictureSet::ChooseFor(int dpi) const {
  const PictureAtDpi* larger = nullptr;   // the smallest made for a DPI above `dpi`
  const PictureAtDpi* largest = nullptr;
  for (const PictureAtDpi& scale : Scales()) {
    if (scale.dpi == dpi) return scale;
    if (scale.dpi > dpi && (larger == nullptr || scale.dpi < larger->dpi)) larger = &scale;
    if (largest == nullptr || scale.dpi > largest->dpi) largest = &scale;
  }
  if (larger != nullptr) return *larger;
  return largest != nullptr ? *largest : PictureAtDpi{};
}

Size ShownPictureSize(Size made, int madeDpi, int dpi) {
  if (madeDpi == dpi || madeDpi <= 0) return made;
  return {MulDivRounded(made.width, dpi, madeDpi), MulDivRounded(made.height, dpi, madeDpi)};
}

}  // namespace zorvane
