// The in-memory canvas must cover exactly the pixels GDI covers (the Win32 tests compare it
// with GDI itself), stay inside its bitmap whatever it is asked to draw, and handle pens
// and brushes as a device context does. MemoryDrawing hands its pictures to windows.
#include "platform/memory/memory_canvas.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "display/draw_digit.h"
#include "platform/memory/memory_drawing.h"
#include "tests/support/driven_window_system.h"

namespace zorvane::memory {
namespace {

constexpr Colour kPen = RgbColour(255, 0, 0);
constexpr Colour kBrush = RgbColour(0, 255, 0);
constexpr int kHuge = 1 << 27;

// A canvas with a pen and a brush of different colours, so a picture shows which of the
// two covered each pixel: 'P' for the pen, 'B' for the brush, '.' for the black bitmap.
struct Sketch {
  explicit Sketch(Size size) : canvas(size) {
    canvas.Select(canvas.CreateSolidPen(kPen));
    canvas.Select(canvas.CreateSolidBrush(kBrush));
  }
  std::vector<std::string> Rows() const {
    const Size size = canvas.Dimensions();
    std::vector<std::string> rows;
    for (int y = 0; y < size.height; ++y) {
      std::string row;
      for (int x = 0; x < size.width; ++x) {
        const Colour c = canvas.Pixel(x, y);
        row += c == kPen ? 'P' : c == kBrush ? 'B' : c == kBlack ? '.' : '?';
      }
      rows.push_back(row);
    }
    return rows;
  }
  MemoryCanvas canvas;
};

using Rows = std::vector<std::string>;

TEST(MemoryCanvasShapes, PolygonOutlineHoldsEveryVertexAndInteriorFollowsTopLeftRule) {
  // Outline: nearest pixel on the minor axis, ties to the smaller coordinate (the line from
  // (1,1) to (9,3) passes y = 1.5 at x = 3 and y = 2.5 at x = 7). Interior: pixel (x, y)
  // when x lies from the ceiling of the left crossing up to, not including, the right one.
  Sketch s({12, 10});
  const Point triangle[] = {{1, 1}, {9, 3}, {3, 8}};
  s.canvas.Polygon(triangle);
  EXPECT_EQ(s.Rows(), (Rows{"............",
                            ".PPP........",
                            ".PBBPPPP....",
                            "..PBBBBBPP..",
                            "..PBBBBBP...",
                            "..PBBBPP....",
                            "..PBBP......",
                            "...PP.......",
                            "...P........",
                            "............"}));
}

TEST(MemoryCanvasShapes, SelfIntersectingPolygonFillsAlternately) {
  // A five-pointed star drawn in one stroke: its arms are inside once, its centre twice,
  // and the alternate rule leaves what is inside twice unfilled.
  Sketch s({21, 21});
  const Point star[] = {{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
  s.canvas.Polygon(star);
  EXPECT_EQ(s.canvas.Pixel(10, 11), kBlack);
  EXPECT_EQ(s.canvas.Pixel(10, 4), kBrush);   // the top arm
  EXPECT_EQ(s.canvas.Pixel(3, 8), kBrush);    // the left arm
  EXPECT_EQ(s.canvas.Pixel(10, 0), kPen);
  // Fewer than two vertices, or all in one place, draw nothing.
  Sketch empty({5, 5});
  const Point point[] = {{2, 2}, {2, 2}, {2, 2}};
  empty.canvas.Polygon(point);
  empty.canvas.Polygon(std::span(point, 1));
  EXPECT_EQ(empty.Rows(), (Rows(5, ".....")));
}

TEST(MemoryCanvasShapes, RectangleExcludesRightAndBottomEdgesAndOrdersItsCorners) {
  Sketch s({8, 5}), reversed({8, 5});
  s.canvas.Rectangle(2, 1, 6, 4);
  reversed.canvas.Rectangle(6, 4, 2, 1);
  EXPECT_EQ(s.Rows(), (Rows{"........", "..PPPP..", "..PBBP..", "..PPPP..", "........"}));
  EXPECT_EQ(reversed.Rows(), s.Rows());

  Sketch thin({4, 3});
  thin.canvas.Rectangle(1, 0, 1, 3);  // no width: nothing
  thin.canvas.Rectangle(2, 0, 3, 2);  // one pixel wide: all outline
  EXPECT_EQ(thin.Rows(), (Rows{"..P.", "..P.", "...."}));
}

TEST(MemoryCanvasShapes, EllipseInscribedInItsBox) {
  Sketch s({7, 5});
  s.canvas.Ellipse(0, 0, 7, 5);
  EXPECT_EQ(s.Rows(), (Rows{"..PPP..", "PPBBBPP", "PBBBBBP", "PPBBBPP", "..PPP.."}));

  // Two pixels or less across is all outline; a single pixel, or no width, draws nothing.
  Sketch small({6, 4});
  small.canvas.Ellipse(0, 0, 2, 4);
  small.canvas.Ellipse(5, 1, 3, 2);  // corners in any order
  small.canvas.Ellipse(5, 3, 6, 4);
  small.canvas.Ellipse(4, 3, 4, 0);
  EXPECT_EQ(small.Rows(), (Rows{"PP....", "PP.PP.", "PP....", "PP...."}));
}

TEST(MemoryCanvasShapes, EllipsesAreSymmetricAndTouchEverySideOfTheirBox) {
  // (Very thin, tall ones stop short of their tips, as GDI's do under Wine.)
  for (int width = 5; width < 40; width += 3) {
    for (int height = 5; height < 40 && height <= 3 * width; height += 4) {
      Sketch s({width + 2, height + 2});
      s.canvas.Ellipse(1, 1, width + 1, height + 1);
      const Rows rows = s.Rows();
      SCOPED_TRACE(testing::Message() << width << "x" << height);
      for (std::size_t y = 0; y < rows.size(); ++y) {
        EXPECT_EQ(rows[y], std::string(rows[y].rbegin(), rows[y].rend()));
        EXPECT_EQ(rows[y], rows[rows.size() - 1 - y]);
      }
      EXPECT_NE(rows[1].find('P'), std::string::npos);
      EXPECT_EQ(rows[height / 2 + 1][1], 'P');
      EXPECT_EQ(rows[0], std::string(static_cast<std::size_t>(width + 2), '.'));
      EXPECT_EQ(rows[height / 2 + 1][0], '.');
    }
  }
}

// The visible part of a shape that crosses the edges is that part of the whole shape:
// drawn on a larger canvas, moved so that all of it is there, and cut back.
TEST(MemoryCanvasClipping, ShapesAcrossTheEdgesMatchTheWholeShapeCut) {
  constexpr int kSide = 20, kMargin = 60;
  std::mt19937 random(5);
  auto coordinate = [&] { return static_cast<int>(random() % (kSide + 2 * 40)) - 40; };
  for (int round = 0; round < 300; ++round) {
    Sketch part({kSide, kSide}), whole({kSide + 2 * kMargin, kSide + 2 * kMargin});
    const int l = coordinate(), t = coordinate(), r = coordinate(), b = coordinate();
    std::vector<Point> vertices;
    for (int i = 0; i < 5; ++i) vertices.push_back({coordinate(), coordinate()});
    std::vector<Point> moved = vertices;
    for (Point& p : moved) p = {p.x + kMargin, p.y + kMargin};
    switch (round % 3) {
      case 0:
        part.canvas.Rectangle(l, t, r, b);
        whole.canvas.Rectangle(l + kMargin, t + kMargin, r + kMargin, b + kMargin);
        break;
      case 1:
        part.canvas.Ellipse(l, t, r, b);
        whole.canvas.Ellipse(l + kMargin, t + kMargin, r + kMargin, b + kMargin);
        break;
      default:
        part.canvas.Polygon(vertices);
        whole.canvas.Polygon(moved);
    }
    const Rows big = whole.Rows();
    Rows cut;
    for (int y = 0; y < kSide; ++y) cut.push_back(big[static_cast<std::size_t>(y + kMargin)].substr(kMargin, kSide));
    ASSERT_EQ(part.Rows(), cut) << "round " << round;
  }
}

TEST(MemoryCanvasClipping, HugeCoordinatesDrawTheirVisiblePart) {
  // The sanitizers would catch any write outside the bitmap; the drawing only works on
  // the visible rows, so none of these takes long.
  Sketch inside({6, 4});
  inside.canvas.Rectangle(-kHuge, -kHuge, kHuge, kHuge);
  EXPECT_EQ(inside.Rows(), (Rows(4, "BBBBBB")));
  const Point around[] = {{-kHuge, -kHuge}, {kHuge, 0}, {0, kHuge}};
  inside.canvas.Polygon(around);
  EXPECT_EQ(inside.Rows(), (Rows(4, "BBBBBB")));

  // The top of an ellipse far wider than the canvas: one row of outline, then interior.
  Sketch top({6, 4});
  top.canvas.Ellipse(-kHuge, 1, kHuge, 1 + kHuge);
  EXPECT_EQ(top.Rows(), (Rows{"......", "PPPPPP", "BBBBBB", "BBBBBB"}));

  // A line of slope one across the whole coordinate range: y = x + 1.
  Sketch line({6, 4});
  const Point diagonal[] = {{-kHuge, -kHuge + 1}, {kHuge - 1, kHuge}};
  line.canvas.Polygon(diagonal);
  EXPECT_EQ(line.Rows(), (Rows{"......", "P.....", ".P....", "..P..."}));

  // Self-intersecting segments of a digit thicker than its cell, and sizes out of range.
  Sketch digit({30, 30});
  DrawDigit(digit.canvas, 2, 2, 10, 20, 8, 40, kPen, kBrush, -3);
  DrawDigit(digit.canvas, -kHuge, kHuge, INT32_MAX, INT32_MIN, 8, INT32_MAX, kPen, kBrush, 7);
  digit.canvas.Ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_EQ(digit.canvas.Pixel(15, 15), kBrush);
}

TEST(MemoryCanvasObjects, SelectionReturnsThePreviousObjectOfItsKind) {
  MemoryCanvas canvas({4, 4});
  EXPECT_EQ(canvas.CurrentPen(), MemoryCanvas::kStockPen);
  EXPECT_EQ(canvas.CurrentBrush(), MemoryCanvas::kStockBrush);
  canvas.Rectangle(0, 0, 3, 3);  // the stock pen is black, the stock brush white
  EXPECT_EQ(canvas.Pixel(1, 1), kWhite);

  const DrawingObject pen = canvas.CreateSolidPen(kPen);
  const DrawingObject brush = canvas.CreateSolidBrush(kBrush);
  EXPECT_NE(pen, brush);
  EXPECT_EQ(canvas.Select(pen), MemoryCanvas::kStockPen);
  EXPECT_EQ(canvas.Select(brush), MemoryCanvas::kStockBrush);
  EXPECT_EQ(canvas.Select(MemoryCanvas::kStockPen), pen);
  EXPECT_EQ(canvas.CurrentBrush(), brush);

  // Objects unknown here select nothing.
  MemoryCanvas other({1, 1});
  EXPECT_EQ(canvas.Select(other.CreateSolidPen(kBrush)), DrawingObject{});
  EXPECT_EQ(canvas.Select(DrawingObject{}), DrawingObject{});
  EXPECT_EQ(canvas.CurrentPen(), MemoryCanvas::kStockPen);
}

TEST(MemoryCanvasObjects, OnlyDeselectedObjectsAreDeletedAndCountsFollow) {
  const ObjectTally tally = std::make_shared<std::atomic<int>>(0);
  {
    MemoryCanvas canvas({2, 2}, {}, tally);
    EXPECT_EQ(*tally, 2);  // the canvas's context and bitmap
    const DrawingObject pen = canvas.CreateSolidPen(kPen);
    const DrawingObject brush = canvas.CreateSolidBrush(kBrush);
    EXPECT_EQ(canvas.LiveObjectCount(), 2);
    EXPECT_EQ(*tally, 4);

    canvas.Select(pen);
    canvas.Delete(pen);  // still selected: refused, and it still draws
    EXPECT_EQ(canvas.LiveObjectCount(), 2);
    canvas.Rectangle(0, 0, 2, 2);
    EXPECT_EQ(canvas.Pixel(0, 0), kPen);

    canvas.Select(MemoryCanvas::kStockPen);
    canvas.Delete(pen);
    canvas.Delete(pen);  // twice does no harm
    canvas.Delete(MemoryCanvas::kStockBrush);
    EXPECT_EQ(canvas.LiveObjectCount(), 1);
    EXPECT_EQ(canvas.Select(pen), DrawingObject{});
    EXPECT_EQ(canvas.Select(MemoryCanvas::kStockBrush), MemoryCanvas::kStockBrush);
    (void)brush;  // left undeleted on purpose
  }
  EXPECT_EQ(*tally, 1);  // the leaked brush outlives its canvas
}

TEST(MemoryCanvasObjects, DrawDigitRestoresTheSelectionAndFreesWhatItMade) {
  MemoryCanvas canvas({40, 60});
  const DrawingObject pen = canvas.CreateSolidPen(kPen);
  const DrawingObject brush = canvas.CreateSolidBrush(kBrush);
  canvas.Select(pen);
  canvas.Select(brush);
  DrawDigit(canvas, 5, 5, 30, 50, 7, 5, RgbColour(1, 2, 3), RgbColour(4, 5, 6), 1);
  EXPECT_EQ(canvas.CurrentPen(), pen);
  EXPECT_EQ(canvas.CurrentBrush(), brush);
  EXPECT_EQ(canvas.LiveObjectCount(), 2);
  EXPECT_EQ(canvas.Pixel(20, 7), RgbColour(1, 2, 3));   // segment a, lit for a 7
  EXPECT_EQ(canvas.Pixel(20, 30), RgbColour(4, 5, 6));  // segment g, unlit
}

const WindowSpec kWindow{.name = "display", .size = {50, 20}, .visible = false};

// What a window keeps is exactly what was copied (the rest is the contract's).
TEST(MemoryDrawing, AWindowKeepsThePixelsOfItsLastCopy) {
  support::DrivenWindowSystem ui;
  MemoryDrawing drawing(ui);
  const WindowHandle window = ui.CreateWindowFromLayout(kWindow, {});
  EXPECT_EQ(drawing.CreateOffscreen(WindowHandle{999}, {4, 4}), nullptr);
  EXPECT_FALSE(drawing.WindowPicture(window).has_value());

  auto canvas = drawing.CreateOffscreen(window, {3, 3});
  ASSERT_NE(canvas, nullptr);
  canvas->Rectangle(0, 0, 3, 3);  // a black frame around a white pixel
  canvas->CopyToWindow();
  canvas->Rectangle(-1, -1, 4, 4);  // after the copy: not shown
  const auto picture = drawing.WindowPicture(window);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->size, (Size{3, 3}));
  std::vector<Colour> framed(9, kBlack);
  framed[4] = kWhite;
  EXPECT_EQ(picture->pixels, framed);
}

TEST(MemoryDrawing, RedrawsOnWorkerThreadsNeverTearAPicture) {
  support::DrivenWindowSystem ui;
  MemoryDrawing drawing(ui);
  const WindowHandle window = ui.CreateWindowFromLayout(kWindow, {});
  std::vector<std::thread> workers;
  for (Colour colour = 1; colour <= 4; ++colour) {
    workers.emplace_back([&, colour] {
      for (int i = 0; i < 50; ++i) {
        auto canvas = drawing.CreateOffscreen(window, {50, 20});
        const DrawingObject brush = canvas->CreateSolidBrush(colour);
        const DrawingObject pen = canvas->CreateSolidPen(colour);
        const DrawingObject oldBrush = canvas->Select(brush);
        const DrawingObject oldPen = canvas->Select(pen);
        canvas->Rectangle(0, 0, 50, 20);
        canvas->CopyToWindow();
        canvas->Select(oldBrush);
        canvas->Select(oldPen);
        canvas->Delete(brush);
        canvas->Delete(pen);
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  const auto picture = drawing.WindowPicture(window);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->pixels, std::vector<Colour>(1000, picture->pixels.front()));
  EXPECT_EQ(drawing.LiveObjectCount(), 0);
}

}  // namespace
}  // namespace zorvane::memory
