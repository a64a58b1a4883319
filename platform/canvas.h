// Drawing as GDI draws: pens and brushes are created, selected into the surface (which
// hands back the object it replaces) and deleted; every shape is filled with the selected
// brush and outlined with the selected pen. Pens here are always solid and one pixel wide,
// so a shape covers its outline pixels too.
#pragma once

#include <cstdint>
#include <span>

#include "platform/geometry.h"

namespace zorvane {

struct DrawingObject {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(const DrawingObject&, const DrawingObject&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual Size Dimensions() const = 0;

  // A solid pen one pixel wide (PS_SOLID, width 0), and a solid brush.
  virtual DrawingObject CreateSolidPen(Colour colour) = 0;
  virtual DrawingObject CreateSolidBrush(Colour colour) = 0;
  // Selects a pen or a brush and returns the pen or brush that was selected before.
  virtual DrawingObject Select(DrawingObject object) = 0;
  virtual void Delete(DrawingObject object) = 0;
  virtual DrawingObject CurrentPen() const = 0;
  virtual DrawingObject CurrentBrush() const = 0;

  // GDI's Rectangle: the outline runs along left..right-1 and top..bottom-1.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  // GDI's Polygon in the default (alternate) fill mode, closed from the last vertex back
  // to the first.
  virtual void Polygon(std::span<const Point> vertices) = 0;
  // GDI's Ellipse inscribed in the rectangle.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
};

}  // namespace zorvane
