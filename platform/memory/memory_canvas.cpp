#include "platform/memory/memory_canvas.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

// How GDI covers pixels, as drawing the same calls under Wine and reading them back shows
// (pen PS_SOLID of width 0, the default ALTERNATE fill mode):
//
// - A line from p to q covers the pixels of its major axis from p up to, not including, q;
//   on the minor axis it takes the nearest pixel, the smaller coordinate on a tie, in every
//   direction. A polygon's outline is its closed chain of such lines, so it covers every
//   vertex.
// - A polygon's interior holds pixel (x, y) when the point (x, y) lies inside with the usual
//   top-left rule: an edge counts for the rows from its upper end up to, not including, its
//   lower end, and on each row a span runs from the ceiling of one crossing up to, not
//   including, the ceiling of the next (crossings taken in pairs: the alternate rule).
//   The interior is filled first and the outline drawn over it.
// - Rectangle(l, t, r, b), corners put in order first, outlines columns l..r-1 and rows
//   t..b-1 and fills what is inside; nothing when it has no width or height.
// - Ellipse(l, t, r, b), corners put in order, traces one quarter of the outline with an
//   incremental error walk (the diagonal-step error of the ellipse through the box
//   l..r-1, t..b-1) and mirrors it. Each row of the shape runs between the row's outermost
//   traced points; the outline is every pixel of the shape that has an edge neighbour
//   outside it, the rest is filled. Boxes two pixels wide or high or less are filled with
//   the pen (a single pixel draws nothing). Very thin tall ellipses stop short of their
//   tips, as under Wine.
//
// Wine itself paints stray spans on a few very thin, tall ellipses (about eight pixels wide
// or less, some sixty or more high); those are not reproduced.
//
// Coordinates are limited to +-2^27, the range GDI addresses. Every shape is clipped row by
// row to the bitmap, so the time taken follows the visible part, not the shape's size.

namespace zorvane::memory {
namespace {

constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 27;

std::int64_t Clamp(std::int64_t value) {
  return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

std::int64_t FloorDiv(std::int64_t numerator, std::int64_t denominator) {  // denominator > 0
  const std::int64_t quotient = numerator / denominator;
  return quotient * denominator > numerator ? quotient - 1 : quotient;
}

std::int64_t CeilDiv(std::int64_t numerator, std::int64_t denominator) {  // denominator > 0
  return -FloorDiv(-numerator, denominator);
}

// numerator / denominator to the nearest integer, halves going down.
std::int64_t RoundHalfDown(std::int64_t numerator, std::int64_t denominator) {
  return CeilDiv(2 * numerator - denominator, 2 * denominator);
}

// The pixels, with every write clipped to them.
class Raster {
 public:
  Raster(std::vector<Colour>& pixels, Size size) : pixels_(pixels), size_(size) {}

  int Width() const { return size_.width; }
  int Height() const { return size_.height; }

  void Plot(std::int64_t x, std::int64_t y, Colour colour) {
    if (x < 0 || y < 0 || x >= size_.width || y >= size_.height) return;
    pixels_[static_cast<std::size_t>(y * size_.width + x)] = colour;
  }

  // Columns first..last-1 of row y.
  void Span(std::int64_t y, std::int64_t first, std::int64_t last, Colour colour) {
    if (y < 0 || y >= size_.height) return;
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, size_.width);
    if (first >= last) return;
    const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y * size_.width);
    std::fill(row + static_cast<std::ptrdiff_t>(first), row + static_cast<std::ptrdiff_t>(last), colour);
  }

  // Columns left..right-1 of rows top..bottom-1.
  void Block(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
             Colour colour) {
    const std::int64_t firstRow = std::max<std::int64_t>(top, 0);
    const std::int64_t endRow = std::min<std::int64_t>(bottom, size_.height);
    for (std::int64_t y = firstRow; y < endRow; ++y) Span(y, left, right, colour);
  }

 private:
  std::vector<Colour>& pixels_;
  Size size_;
};

// --- Lines ---------------------------------------------------------------------------------

// The first k in [low, high) where `holds` is true, or high; `holds` must be false, then true.
template <typename Predicate>
std::int64_t FirstWhere(std::int64_t low, std::int64_t high, Predicate holds) {
  while (low < high) {
    const std::int64_t middle = low + (high - low) / 2;
    if (holds(middle)) high = middle; else low = middle + 1;
  }
  return low;
}

// The line from `from` to `to` without its last pixel. Step k of the major axis lands on
// minor coordinate start + RoundHalfDown(minorDelta * k, steps); only the steps that land
// inside the bitmap are visited.
void DrawLine(Raster& raster, Point from, Point to, Colour colour) {
  const std::int64_t x0 = Clamp(from.x), y0 = Clamp(from.y);
  const std::int64_t dx = Clamp(to.x) - x0, dy = Clamp(to.y) - y0;
  if (dx == 0 && dy == 0) return;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const std::int64_t steps = xMajor ? std::abs(dx) : std::abs(dy);
  const std::int64_t majorStart = xMajor ? x0 : y0;
  const std::int64_t majorSign = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const std::int64_t minorStart = xMajor ? y0 : x0;
  const std::int64_t minorDelta = xMajor ? dy : dx;
  const std::int64_t majorSize = xMajor ? raster.Width() : raster.Height();
  const std::int64_t minorSize = xMajor ? raster.Height() : raster.Width();

  // Steps whose major coordinate is inside: 0 <= start + sign * k < size.
  std::int64_t first = 0, last = steps - 1;
  if (majorSign > 0) {
    first = std::max(first, -majorStart);
    last = std::min(last, majorSize - 1 - majorStart);
  } else {
    first = std::max(first, majorStart - (majorSize - 1));
    last = std::min(last, majorStart);
  }
  if (first > last) return;

  // The minor coordinate moves one way only; narrow the steps to those inside by bisection.
  auto minorAt = [&](std::int64_t k) { return minorStart + RoundHalfDown(minorDelta * k, steps); };
  auto beforeInside = [&](std::int64_t k) {  // the line has not yet reached the bitmap
    return minorDelta >= 0 ? minorAt(k) < 0 : minorAt(k) >= minorSize;
  };
  auto pastInside = [&](std::int64_t k) {  // the line has left the bitmap for good
    return minorDelta >= 0 ? minorAt(k) >= minorSize : minorAt(k) < 0;
  };
  first = FirstWhere(first, last + 1, [&](std::int64_t k) { return !beforeInside(k); });
  last = FirstWhere(first, last + 1, pastInside) - 1;
  for (std::int64_t k = first; k <= last; ++k) {
    const std::int64_t major = majorStart + majorSign * k;
    const std::int64_t minor = minorAt(k);
    if (xMajor) raster.Plot(major, minor, colour); else raster.Plot(minor, major, colour);
  }
}

// --- Polygons ------------------------------------------------------------------------------

struct Vertex {
  std::int64_t x;
  std::int64_t y;
};

void FillPolygon(Raster& raster, const std::vector<Vertex>& vertices, Colour colour) {
  std::int64_t top = vertices.front().y, bottom = top;
  for (const Vertex& v : vertices) {
    top = std::min(top, v.y);
    bottom = std::max(bottom, v.y);
  }
  top = std::max<std::int64_t>(top, 0);
  bottom = std::min<std::int64_t>(bottom, raster.Height());
  std::vector<std::int64_t> crossings;
  for (std::int64_t y = top; y < bottom; ++y) {
    crossings.clear();
    for (std::size_t i = 0; i < vertices.size(); ++i) {
      Vertex upper = vertices[i];
      Vertex lower = vertices[(i + 1) % vertices.size()];
      if (upper.y > lower.y) std::swap(upper, lower);
      if (y < upper.y || y >= lower.y) continue;  // horizontal edges never count
      crossings.push_back(upper.x + CeilDiv((lower.x - upper.x) * (y - upper.y), lower.y - upper.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      raster.Span(y, crossings[i], crossings[i + 1], colour);
    }
  }
}

// --- Ellipses ------------------------------------------------------------------------------

// An unsigned 128-bit number, enough for the sums of squares the ellipse tests compare;
// the 32-bit build has no native 128-bit integer.
struct Wide {
  std::uint64_t high = 0;
  std::uint64_t low = 0;

  static Wide Square(std::int64_t value) {
    const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                              : static_cast<std::uint64_t>(value);
    const std::uint64_t lo = magnitude & 0xFFFFFFFFu, hi = magnitude >> 32;
    const std::uint64_t cross = lo * hi;  // appears twice
    Wide result{hi * hi, lo * lo};
    result += Wide{cross >> 31, cross << 33};
    return result;
  }
  Wide& operator+=(const Wide& other) {
    const std::uint64_t sum = low + other.low;
    high += other.high + (sum < low ? 1 : 0);
    low = sum;
    return *this;
  }
  friend Wide operator+(Wide left, const Wide& right) { return left += right; }
  friend bool operator<=(const Wide& left, const Wide& right) {
    return left.high != right.high ? left.high < right.high : left.low <= right.low;
  }
};

// One quarter of an ellipse's outline in its box of width x height pixels (both at least
// 3), in box coordinates: the walk starts at the right end of the middle row (a, height / 2)
// and moves left, down, or both, until it passes the middle column width / 2. With
// a = width - 1 and b = height - 1, and in doubled coordinates from the centre
// (U = 2x - a, V = 2y - b), the walk steps left where
//     b^2 (U-1)^2 + a^2 (V+2)^2 + b^2 >= a^2 b^2
// and down where
//     b^2 (U-2)^2 + a^2 (V+1)^2 + a^2 <= a^2 b^2.
// Both tests only depend on the point, so any row's right end can be found without walking
// the rows before it.
class QuarterEllipse {
 public:
  QuarterEllipse(std::int64_t width, std::int64_t height)
      : a_(width - 1), b_(height - 1), firstColumn_(width / 2), firstRow_(height / 2),
        aSquared_(Wide::Square(a_)), bSquared_(Wide::Square(b_)), product_(Wide::Square(a_ * b_)) {}

  std::int64_t FirstRow() const { return firstRow_; }
  std::int64_t LastRow() const { return b_; }

  // The rightmost point of the walk in `row`, or nothing when the walk ends above it.
  std::optional<std::int64_t> RowEnd(std::int64_t row) const {
    if (row == firstRow_) return a_;
    if (!ReachesRow(firstColumn_, row)) return std::nullopt;
    std::int64_t low = firstColumn_, high = a_;  // ReachesRow holds at low
    while (low < high) {
      const std::int64_t middle = low + (high - low + 1) / 2;
      if (ReachesRow(middle, row)) low = middle; else high = middle - 1;
    }
    return low;
  }

  // The next row's right end, from this row's.
  std::optional<std::int64_t> NextRowEnd(std::int64_t row, std::int64_t rowEnd) const {
    // The walk goes left along the row until it may step down; left of the first column
    // it has ended.
    std::optional<std::int64_t> last;
    if (StepsDown(rowEnd, row)) {
      last = rowEnd;
    } else if (rowEnd > firstColumn_ + 1 && StepsDown(firstColumn_ + 1, row)) {
      // Stepping down is decided by a test that holds left of some column (from the
      // column after the first on): find that column.
      std::int64_t low = firstColumn_ + 1, high = rowEnd - 1;
      while (low < high) {
        const std::int64_t middle = low + (high - low + 1) / 2;
        if (StepsDown(middle, row)) low = middle; else high = middle - 1;
      }
      last = low;
    } else if (StepsDown(firstColumn_, row)) {
      last = firstColumn_;
    }
    if (!last) return std::nullopt;
    const std::int64_t next = *last - (StepsLeft(*last, row) ? 1 : 0);
    if (next < firstColumn_) return std::nullopt;
    return next;
  }

 private:
  bool StepsLeft(std::int64_t x, std::int64_t y) const {
    const std::int64_t u = 2 * x - a_, v = 2 * y - b_;
    return product_ <= Wide::Square(b_ * (u - 1)) + Wide::Square(a_ * (v + 2)) + bSquared_;
  }
  bool StepsDown(std::int64_t x, std::int64_t y) const {
    const std::int64_t u = 2 * x - a_, v = 2 * y - b_;
    return Wide::Square(b_ * (u - 2)) + Wide::Square(a_ * (v + 1)) + aSquared_ <= product_;
  }

  // Whether the walk reaches `row` at column x or right of it: it has not yet left column
  // x by the row above, or it reaches x + 1 there and steps down as it goes on.
  bool ReachesRow(std::int64_t x, std::int64_t row) const {
    for (;;) {
      if (row == firstRow_) return x <= a_;
      if (!StepsLeft(x, row - 1)) return true;
      if (x + 1 > a_ || !StepsDown(x + 1, row - 1)) return false;
      ++x;
      --row;
    }
  }

  std::int64_t a_, b_, firstColumn_, firstRow_;
  Wide aSquared_, bSquared_, product_;
};

struct RowExtent {
  std::int64_t left;
  std::int64_t right;  // inclusive
};

// The rows top..bottom-1 of the ellipse in a width x height box at the origin.
std::vector<std::optional<RowExtent>> EllipseRows(std::int64_t width, std::int64_t height,
                                                  std::int64_t top, std::int64_t bottom) {
  const QuarterEllipse quarter(width, height);
  // Rows above the middle mirror rows below it; the quarter's rows needed form one range.
  auto quarterRow = [&](std::int64_t row) {
    return row >= quarter.FirstRow() ? row : height - 1 - row;
  };
  std::int64_t first = quarter.LastRow(), last = quarter.FirstRow();
  for (std::int64_t row : {top, bottom - 1}) {
    first = std::min(first, quarterRow(row));
    last = std::max(last, quarterRow(row));
  }
  if (top < quarter.FirstRow() && bottom > quarter.FirstRow()) first = quarter.FirstRow();

  std::vector<std::optional<std::int64_t>> ends;
  std::optional<std::int64_t> end = quarter.RowEnd(first);
  for (std::int64_t row = first; row <= last; ++row) {
    ends.push_back(end);
    if (end) end = quarter.NextRowEnd(row, *end);
  }
  std::vector<std::optional<RowExtent>> rows;
  for (std::int64_t row = top; row < bottom; ++row) {
    const std::optional<std::int64_t> rowEnd = ends[static_cast<std::size_t>(quarterRow(row) - first)];
    if (rowEnd) rows.push_back(RowExtent{width - 1 - *rowEnd, *rowEnd}); else rows.push_back({});
  }
  return rows;
}

void DrawEllipse(Raster& raster, std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom, Colour pen, Colour brush) {
  const std::int64_t width = right - left, height = bottom - top;
  if (width == 0 || height == 0 || (width == 1 && height == 1)) return;
  if (width <= 2 || height <= 2) {
    raster.Block(left, top, right, bottom, pen);
    return;
  }
  // The visible rows, and one more on each side for the outline test.
  const std::int64_t firstRow = std::max<std::int64_t>(0, -top - 1);
  const std::int64_t endRow = std::min<std::int64_t>(height, raster.Height() - top + 1);
  if (firstRow >= endRow) return;
  const std::vector<std::optional<RowExtent>> rows = EllipseRows(width, height, firstRow, endRow);
  auto at = [&](std::int64_t row) -> std::optional<RowExtent> {
    if (row < firstRow || row >= endRow) return std::nullopt;
    return rows[static_cast<std::size_t>(row - firstRow)];
  };
  for (std::int64_t row = firstRow; row < endRow; ++row) {
    const std::optional<RowExtent> here = at(row);
    const std::int64_t y = top + row;
    if (!here || y < 0 || y >= raster.Height()) continue;
    // Pixels with both vertical neighbours inside the shape, minus the row's two ends, are
    // the interior; the rest of the row is outline.
    const std::optional<RowExtent> above = at(row - 1), below = at(row + 1);
    std::int64_t innerLeft = here->left + 1, innerRight = here->right - 1;
    if (above && below) {
      innerLeft = std::max({innerLeft, above->left, below->left});
      innerRight = std::min({innerRight, above->right, below->right});
    } else {
      innerLeft = here->right + 1;
      innerRight = here->right;
    }
    if (innerLeft > innerRight) {
      raster.Span(y, left + here->left, left + here->right + 1, pen);
      continue;
    }
    raster.Span(y, left + here->left, left + innerLeft, pen);
    raster.Span(y, left + innerLeft, left + innerRight + 1, brush);
    raster.Span(y, left + innerRight + 1, left + here->right + 1, pen);
  }
}

std::uintptr_t NextHandleValue() {
  // Process-wide, so that an object of one canvas is never mistaken for one of another.
  static std::atomic<std::uintptr_t> next{16};
  return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

MemoryCanvas::MemoryCanvas(Size size, CopySink copySink, ObjectTally tally)
    : size_{std::max(size.width, 0), std::max(size.height, 0)},
      pixels_(static_cast<std::size_t>(size_.width) * static_cast<std::size_t>(size_.height), kBlack),
      copySink_(std::move(copySink)),
      tally_(std::move(tally)) {
  if (tally_) *tally_ += 2;
}

MemoryCanvas::~MemoryCanvas() {
  if (tally_) *tally_ -= 2;
}

Size MemoryCanvas::Dimensions() const { return size_; }

DrawingObject MemoryCanvas::Create(Kind kind, Colour colour) {
  const DrawingObject object{NextHandleValue()};
  objects_.emplace(object.value, Object{kind, colour});
  if (tally_) ++*tally_;
  return object;
}

DrawingObject MemoryCanvas::CreateSolidPen(Colour colour) { return Create(Kind::Pen, colour); }

DrawingObject MemoryCanvas::CreateSolidBrush(Colour colour) { return Create(Kind::Brush, colour); }

const MemoryCanvas::Object* MemoryCanvas::Find(DrawingObject object) const {
  const auto found = objects_.find(object.value);
  return found == objects_.end() ? nullptr : &found->second;
}

DrawingObject MemoryCanvas::Select(DrawingObject object) {
  if (object == kStockPen) return std::exchange(pen_, object);
  if (object == kStockBrush) return std::exchange(brush_, object);
  const Object* found = Find(object);
  if (found == nullptr) return {};
  return std::exchange(found->kind == Kind::Pen ? pen_ : brush_, object);
}

void MemoryCanvas::Delete(DrawingObject object) {
  if (object == pen_ || object == brush_) return;
  if (objects_.erase(object.value) != 0 && tally_) --*tally_;
}

DrawingObject MemoryCanvas::CurrentPen() const { return pen_; }

DrawingObject MemoryCanvas::CurrentBrush() const { return brush_; }

Colour MemoryCanvas::PenColour() const {
  const Object* pen = Find(pen_);
  return pen == nullptr ? kBlack : pen->colour;
}

Colour MemoryCanvas::BrushColour() const {
  const Object* brush = Find(brush_);
  return brush == nullptr ? kWhite : brush->colour;
}

Colour MemoryCanvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= size_.width || y >= size_.height) {
    throw std::out_of_range("pixel outside the canvas");
  }
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(size_.width) +
                 static_cast<std::size_t>(x)];
}

void MemoryCanvas::Rectangle(int left, int top, int right, int bottom) {
  std::int64_t l = Clamp(left), t = Clamp(top), r = Clamp(right), b = Clamp(bottom);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (l == r || t == b) return;
  Raster raster(pixels_, size_);
  raster.Block(l + 1, t + 1, r - 1, b - 1, BrushColour());
  const Colour pen = PenColour();
  raster.Block(l, t, r, t + 1, pen);
  raster.Block(l, b - 1, r, b, pen);
  raster.Block(l, t, l + 1, b, pen);
  raster.Block(r - 1, t, r, b, pen);
}

void MemoryCanvas::Polygon(std::span<const Point> vertices) {
  if (vertices.size() < 2) return;
  std::vector<Vertex> clamped;
  clamped.reserve(vertices.size());
  for (const Point& p : vertices) clamped.push_back({Clamp(p.x), Clamp(p.y)});
  Raster raster(pixels_, size_);
  FillPolygon(raster, clamped, BrushColour());
  const Colour pen = PenColour();
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    DrawLine(raster, vertices[i], vertices[(i + 1) % vertices.size()], pen);
  }
}

void MemoryCanvas::Ellipse(int left, int top, int right, int bottom) {
  std::int64_t l = Clamp(left), t = Clamp(top), r = Clamp(right), b = Clamp(bottom);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  Raster raster(pixels_, size_);
  DrawEllipse(raster, l, t, r, b, PenColour(), BrushColour());
}

void MemoryCanvas::CopyToWindow() {
  if (copySink_) copySink_(*this);
}

}  // namespace zorvane::memory
