// The shape of a digit, vertex for vertex, and which segments each digit lights.
#include "display/digit_geometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

namespace zorvane {
namespace {

using Vertices = std::vector<Point>;

std::map<Segment, Vertices> Shape(const DigitCell& cell) {
  std::map<Segment, Vertices> shape;
  for (Segment segment : kDrawingOrder) shape[segment] = SegmentPolygon(cell, segment);
  return shape;
}

TEST(DigitGeometry, DefaultSizeAtTheDisplayMargin) {
  const auto shape = Shape({.x = 5, .y = 5, .width = 120, .height = 200, .thickness = 20, .gap = 2});
  EXPECT_EQ(shape.at(Segment::F), (Vertices{{5, 7}, {5, 103}, {25, 83}, {25, 27}}));
  EXPECT_EQ(shape.at(Segment::E), (Vertices{{5, 107}, {5, 203}, {25, 183}, {25, 127}}));
  EXPECT_EQ(shape.at(Segment::B), (Vertices{{125, 7}, {125, 103}, {105, 83}, {105, 27}}));
  EXPECT_EQ(shape.at(Segment::C), (Vertices{{125, 107}, {125, 203}, {105, 183}, {105, 127}}));
  EXPECT_EQ(shape.at(Segment::A), (Vertices{{7, 5}, {27, 25}, {103, 25}, {123, 5}}));
  EXPECT_EQ(shape.at(Segment::G),
            (Vertices{{7, 105}, {17, 115}, {113, 115}, {123, 105}, {113, 95}, {17, 95}}));
  EXPECT_EQ(shape.at(Segment::D), (Vertices{{7, 205}, {27, 185}, {103, 185}, {123, 205}}));
}

TEST(DigitGeometry, OddSizesTruncateTheHalfHeightAndFloorTheMiddle) {
  const auto shape = Shape({.x = 0, .y = 0, .width = 11, .height = 21, .thickness = 3, .gap = 1});
  EXPECT_EQ(shape.at(Segment::F), (Vertices{{0, 1}, {0, 9}, {3, 6}, {3, 4}}));
  EXPECT_EQ(shape.at(Segment::E), (Vertices{{0, 11}, {0, 19}, {3, 16}, {3, 14}}));
  EXPECT_EQ(shape.at(Segment::B), (Vertices{{11, 1}, {11, 9}, {8, 6}, {8, 4}}));
  EXPECT_EQ(shape.at(Segment::C), (Vertices{{11, 11}, {11, 19}, {8, 16}, {8, 14}}));
  EXPECT_EQ(shape.at(Segment::A), (Vertices{{1, 0}, {4, 3}, {7, 3}, {10, 0}}));
  EXPECT_EQ(shape.at(Segment::G), (Vertices{{1, 10}, {2, 11}, {9, 11}, {10, 10}, {9, 9}, {2, 9}}));
  EXPECT_EQ(shape.at(Segment::D), (Vertices{{1, 20}, {4, 17}, {7, 17}, {10, 20}}));
}

TEST(DigitGeometry, OddHeightDrawsLikeTheEvenOneBelowIt) {
  const DigitCell even{.x = 0, .y = 0, .width = 120, .height = 200, .thickness = 20, .gap = 2};
  DigitCell odd = even;
  odd.height = 201;
  EXPECT_EQ(Shape(even), Shape(odd));
  EXPECT_EQ(SegmentPolygon(odd, Segment::D).back().y, 200);
}

TEST(DigitGeometry, OddThicknessMakesTheMiddleOnePixelThinner) {
  const auto g = SegmentPolygon({.width = 120, .height = 200, .thickness = 21, .gap = 2}, Segment::G);
  EXPECT_EQ(g[1].y - g[5].y, 20);  // m = 10 above and below the middle line
  const auto f = SegmentPolygon({.width = 120, .height = 200, .thickness = 21, .gap = 2}, Segment::F);
  EXPECT_EQ(f[2].x - f[0].x, 21);
}

TEST(DigitGeometry, WithoutAGapTheMiddlePointsTouchTheBorders) {
  const auto g = SegmentPolygon({.x = 10, .width = 50, .height = 80, .thickness = 8, .gap = 0}, Segment::G);
  EXPECT_EQ(g[0], (Point{10, 40}));
  EXPECT_EQ(g[3], (Point{60, 40}));
}

TEST(DigitGeometry, NegativeSizesTruncateTheHeightAndFloorTheHalfThickness) {
  // H = -3 gives h = -1; B = -3 gives m = -2.
  const auto g = SegmentPolygon({.width = 10, .height = -3, .thickness = -3, .gap = 0}, Segment::G);
  EXPECT_EQ(g[0], (Point{0, -1}));
  EXPECT_EQ(g[1], (Point{-2, -3}));
}

TEST(DigitGeometry, HugeSizesStayAddressable) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  for (Segment segment : kDrawingOrder) {
    for (const Point& p : SegmentPolygon({kMax, kMax, kMax, kMax, kMax, kMax}, segment)) {
      EXPECT_LE(p.x, 1 << 27);
      EXPECT_LE(p.y, 1 << 27);
    }
  }
}

// The lit segments of each digit, in the order a b c d e f g.
std::string Pattern(std::int32_t digit) {
  std::string lit;
  for (Segment s : {Segment::A, Segment::B, Segment::C, Segment::D, Segment::E, Segment::F, Segment::G}) {
    lit += SegmentLit(s, digit) ? "1" : "0";
  }
  return lit;
}

TEST(DigitSegments, EachDigitLightsItsOwnSegments) {
  const std::string expected[10] = {"1111110", "0110000", "1101101", "1111001", "0110011",
                                    "1011011", "1011111", "1110000", "1111111", "1111011"};
  for (int digit = 0; digit <= 9; ++digit) EXPECT_EQ(Pattern(digit), expected[digit]) << digit;
}

TEST(DigitSegments, AnythingElseLightsNothingButTheMinusItsMiddle) {
  for (std::int32_t value : {10, -1, 11, 100, std::numeric_limits<std::int32_t>::min()}) {
    EXPECT_EQ(Pattern(value), "0000000") << value;
  }
  EXPECT_EQ(Pattern(kMinusGlyph), "0000001");
}

}  // namespace
}  // namespace zorvane
