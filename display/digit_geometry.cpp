#include "display/digit_geometry.h"

#include <algorithm>

namespace zorvane {
namespace {

// GDI addresses coordinates within 27 bits; sizes beyond that cannot be drawn anyway, and
// clamping here keeps every sum below from overflowing.
constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 27;

int Coordinate(std::int64_t value) {
  return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

std::int64_t FloorHalf(std::int64_t value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

// Lit digits per segment, as a bit per digit value.
constexpr std::uint16_t Digits(std::initializer_list<int> digits) {
  std::uint16_t bits = 0;
  for (int digit : digits) bits = static_cast<std::uint16_t>(bits | (1u << digit));
  return bits;
}

constexpr std::uint16_t LitDigits(Segment segment) {
  switch (segment) {
    case Segment::A: return Digits({0, 2, 3, 5, 6, 7, 8, 9});
    case Segment::B: return Digits({0, 1, 2, 3, 4, 7, 8, 9});
    case Segment::C: return Digits({0, 1, 3, 4, 5, 6, 7, 8, 9});
    case Segment::D: return Digits({0, 2, 3, 5, 6, 8, 9});
    case Segment::E: return Digits({0, 2, 6, 8});
    case Segment::F: return Digits({0, 4, 5, 6, 8, 9});
    case Segment::G: return Digits({2, 3, 4, 5, 6, 8, 9});
  }
  return 0;
}

}  // namespace

bool SegmentLit(Segment segment, std::int32_t digit) {
  if (digit == kMinusGlyph) return segment == Segment::G;
  return digit >= 0 && digit <= 9 && (LitDigits(segment) >> digit & 1u) != 0;
}

std::vector<Point> SegmentPolygon(const DigitCell& cell, Segment segment) {
  const std::int64_t x = std::clamp<std::int64_t>(cell.x, -kCoordinateLimit, kCoordinateLimit);
  const std::int64_t y = std::clamp<std::int64_t>(cell.y, -kCoordinateLimit, kCoordinateLimit);
  const std::int64_t w = std::clamp<std::int64_t>(cell.width, -kCoordinateLimit, kCoordinateLimit);
  const std::int64_t b = std::clamp<std::int64_t>(cell.thickness, -kCoordinateLimit, kCoordinateLimit);
  const std::int64_t s = std::clamp<std::int64_t>(cell.gap, -kCoordinateLimit, kCoordinateLimit);
  const std::int64_t h = std::clamp<std::int64_t>(cell.height / 2, -kCoordinateLimit, kCoordinateLimit);
  const std::int64_t m = FloorHalf(b);
  auto p = [](std::int64_t px, std::int64_t py) { return Point{Coordinate(px), Coordinate(py)}; };

  switch (segment) {
    case Segment::F:
      return {p(x, y + s), p(x, y + h - s), p(x + b, y + h - s - b), p(x + b, y + s + b)};
    case Segment::E:
      return {p(x, y + h + s), p(x, y + 2 * h - s), p(x + b, y + 2 * h - s - b),
              p(x + b, y + h + s + b)};
    case Segment::B:
      return {p(x + w, y + s), p(x + w, y + h - s), p(x + w - b, y + h - s - b),
              p(x + w - b, y + s + b)};
    case Segment::C:
      return {p(x + w, y + h + s), p(x + w, y + 2 * h - s), p(x + w - b, y + 2 * h - s - b),
              p(x + w - b, y + h + s + b)};
    case Segment::A:
      return {p(x + s, y), p(x + s + b, y + b), p(x + w - s - b, y + b), p(x + w - s, y)};
    case Segment::G:
      return {p(x + s, y + h),         p(x + s + m, y + h + m), p(x + w - s - m, y + h + m),
              p(x + w - s, y + h),     p(x + w - s - m, y + h - m), p(x + s + m, y + h - m)};
    case Segment::D:
      return {p(x + s, y + 2 * h), p(x + s + b, y + 2 * h - b), p(x + w - s - b, y + 2 * h - b),
              p(x + w - s, y + 2 * h)};
  }
  return {};
}

}  // namespace zorvane
