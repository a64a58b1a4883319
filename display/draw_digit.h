// One digit of the display, drawn as seven filled polygons: lit segments in one colour,
// unlit ones in another (so an unlit segment is drawn too, just dimmer).
#pragma once

#include <cstdint>

#include "display/digit_geometry.h"
#include "platform/canvas.h"

namespace zorvane {

// Leaves the canvas's pen and brush as it found them and frees what it created.
void DrawDigit(Canvas& surface, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, std::int32_t digit, std::int32_t thickness, Colour litColour,
               Colour unlitColour, std::int32_t gap);

}  // namespace zorvane
