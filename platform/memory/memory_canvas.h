// A canvas in memory: one COLORREF per pixel, drawn with the coverage GDI gives the same
// calls (the rules were found by drawing under Wine and reading the pixels back; see
// memory_canvas.cpp). Pens and brushes are objects with handle values, selected and deleted
// as in a device context, and counted while they live.
//
// A canvas is used by one thread at a time, as a device context is.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "platform/drawing.h"

namespace zorvane::memory {

// Objects that are alive, shared by every canvas of one owner: each canvas counts as two
// (its context and its bitmap), each pen and brush as one until it is deleted. Objects a
// canvas leaves undeleted stay counted after the canvas is gone, as leaked GDI objects do.
using ObjectTally = std::shared_ptr<std::atomic<int>>;

class MemoryCanvas final : public OffscreenCanvas {
 public:
  // Receives the finished picture when CopyToWindow is called.
  using CopySink = std::function<void(const MemoryCanvas&)>;

  // The stock objects a new canvas has selected, like a fresh device context. They are
  // never deleted.
  static constexpr DrawingObject kStockPen{1};    // black
  static constexpr DrawingObject kStockBrush{2};  // white

  // Black like a new bitmap. A negative size counts as zero.
  explicit MemoryCanvas(Size size, CopySink copySink = {}, ObjectTally tally = {});
  ~MemoryCanvas() override;
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  Size Dimensions() const override;
  DrawingObject CreateSolidPen(Colour colour) override;
  DrawingObject CreateSolidBrush(Colour colour) override;
  // An object this canvas does not know (never made here, or deleted) selects nothing and
  // gives back nothing, as SelectObject fails.
  DrawingObject Select(DrawingObject object) override;
  // Deleting an object that is still selected does nothing: the object stays alive (and
  // counted), which is how a leak of that mistake shows. Stock objects are never deleted.
  void Delete(DrawingObject object) override;
  DrawingObject CurrentPen() const override;
  DrawingObject CurrentBrush() const override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Polygon(std::span<const Point> vertices) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void CopyToWindow() override;

  // --- What a test reads back -----------------------------------------------------------
  // Row by row from the top left.
  const std::vector<Colour>& Pixels() const { return pixels_; }
  // Throws std::out_of_range outside the bitmap.
  Colour Pixel(int x, int y) const;
  // Pens and brushes made on this canvas and not yet deleted.
  int LiveObjectCount() const { return static_cast<int>(objects_.size()); }

 private:
  enum class Kind { Pen, Brush };
  struct Object {
    Kind kind;
    Colour colour;
  };
  DrawingObject Create(Kind kind, Colour colour);
  const Object* Find(DrawingObject object) const;
  Colour PenColour() const;
  Colour BrushColour() const;

  Size size_;
  std::vector<Colour> pixels_;
  CopySink copySink_;
  ObjectTally tally_;
  std::map<std::uintptr_t, Object> objects_;  // the stock objects are not in here
  DrawingObject pen_ = kStockPen;
  DrawingObject brush_ = kStockBrush;
};

}  // namespace zorvane::memory
