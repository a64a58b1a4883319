// The shape of one seven-segment digit: seven polygons inside a cell of width W and height
// H, each segment B thick, drawn back by the gap S from every corner and from the middle.
//
//     aaa
//    f   b
//    f   b
//     ggg
//    e   c
//    e   c
//     ddd
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace zorvane {

enum class Segment { A, B, C, D, E, F, G };

// The order in which the segments are drawn.
inline constexpr std::array<Segment, 7> kDrawingOrder = {Segment::F, Segment::E, Segment::B,
                                                          Segment::C, Segment::A, Segment::G,
                                                          Segment::D};

// Not a digit: the minus sign of a negative time, drawn as the middle segment alone.
inline constexpr std::int32_t kMinusGlyph = '-';

// Whether `segment` is lit for `digit`; any other value than 0 to 9 (and the minus glyph)
// lights nothing.
bool SegmentLit(Segment segment, std::int32_t digit);

struct DigitCell {
  std::int32_t x = 0;  // left edge
  std::int32_t y = 0;  // top edge
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t thickness = 0;
  std::int32_t gap = 0;
};

// The vertices of one segment, in order. The half height is H / 2 truncated toward zero;
// the middle segment's half thickness is B / 2 rounded down. Coordinates are kept within
// the range a drawing surface can address, whatever the sizes.
std::vector<Point> SegmentPolygon(const DigitCell& cell, Segment segment);

}  // namespace zorvane
