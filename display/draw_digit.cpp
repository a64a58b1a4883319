#include "display/draw_digit.h"

#include "display/canvas_objects.h"

namespace zorvane {

void DrawDigit(Canvas& surface, std::int32_t x, std::int32_t y, std::int32_t width,
               std::int32_t height, std::int32_t digit, std::int32_t thickness, Colour litColour,
               Colour unlitColour, std::int32_t gap) {
  // Outline and fill of a segment always share their colour. Declared before the selection,
  // so they are deleted only after the canvas has its own pen and brush back.
  const ScopedDrawingObject litPen(surface, surface.CreateSolidPen(litColour));
  const ScopedDrawingObject litBrush(surface, surface.CreateSolidBrush(litColour));
  const ScopedDrawingObject unlitPen(surface, surface.CreateSolidPen(unlitColour));
  const ScopedDrawingObject unlitBrush(surface, surface.CreateSolidBrush(unlitColour));
  SelectionRestorer selection(surface);

  const DigitCell cell{x, y, width, height, thickness, gap};
  for (Segment segment : kDrawingOrder) {
    if (SegmentLit(segment, digit)) {
      selection.Use(litPen, litBrush);
    } else {
      selection.Use(unlitPen, unlitBrush);
    }
    surface.Polygon(SegmentPolygon(cell, segment));
  }
}

}  // namespace zorvane
