// Every length of the program is a logical length at 96 DPI. On a screen of another DPI it
// becomes MulDiv(length, dpi, 96), rounded to the nearest pixel, half away from zero; a
// rectangle has its edges scaled, not its width and height, so that neighbours that touch at
// 96 DPI touch at every DPI, with no pixel gained or lost between them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/geometry.h"
#include "platform/layout.h"

namespace zorvane {

// A length that would leave the 32-bit range (the display takes its sizes however large
// they are) stays at that end of it.
constexpr std::int32_t ScaleLength(std::int32_t length, int dpi) {
  const std::int64_t product = static_cast<std::int64_t>(length) * dpi;
  const std::int64_t half = kLogicalDpi / 2;
  const std::int64_t scaled = product >= 0 ? (product + half) / kLogicalDpi
                                           : -((-product + half) / kLogicalDpi);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      scaled, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

constexpr Rect ScaleRect(Rect rect, int dpi) {
  const int left = ScaleLength(rect.left, dpi);
  const int top = ScaleLength(rect.top, dpi);
  return {left, top, ScaleLength(rect.left + rect.width, dpi) - left,
          ScaleLength(rect.top + rect.height, dpi) - top};
}

constexpr Size ScaleSize(Size size, int dpi) {
  return {ScaleLength(size.width, dpi), ScaleLength(size.height, dpi)};
}

constexpr FontSpec ScaleFont(FontSpec font, int dpi) {
  font.pixelHeight = ScaleLength(font.pixelHeight, dpi);  // 0, the GUI font, stays 0
  return font;
}

}  // namespace zorvane
