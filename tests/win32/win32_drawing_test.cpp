// Drawing with real GDI under Wine: the in-memory rasteriser must cover the same pixels
// as GDI for every shape the display draws and for the whole picture the program draws at
// its defaults, colours must be drawn as their red, green and blue bytes, and the Win32
// canvases must give back their pens, brushes, bitmaps and device contexts and repaint from
// the kept picture. (What a picture and the layering do across windows is the contract's.)
#include "platform/win32/win32_drawing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "app/main_window_layout.h"
#include "app/program.h"
#include "display/digit_geometry.h"
#include "display/draw_digit.h"
#include "platform/memory/memory_canvas.h"
#include "platform/memory/memory_drawing.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_sound.h"
#include "tests/support/driven_window_system.h"
#include "tests/support/virtual_scheduler.h"
#include "platform/win32/handle_casts.h"
#include "platform/win32/scoped.h"
#include "platform/win32/win32_threads.h"
#include "platform/win32/win32_window_system.h"

namespace zorvane::win32 {
namespace {

constexpr Colour kBackground = RgbColour(212, 208, 200);
constexpr Colour kLit = RgbColour(10, 20, 30);
constexpr Colour kUnlit = RgbColour(236, 233, 216);
constexpr Colour kPen = RgbColour(255, 0, 0);
constexpr Colour kBrush = RgbColour(0, 0, 255);

using Scene = std::function<void(Canvas&)>;

// Draws with a pen and a brush of their own, and leaves the canvas as it was.
void WithPenAndBrush(Canvas& canvas, Colour pen, Colour brush, const std::function<void()>& draw) {
  const DrawingObject newPen = canvas.CreateSolidPen(pen);
  const DrawingObject newBrush = canvas.CreateSolidBrush(brush);
  const DrawingObject oldPen = canvas.Select(newPen);
  const DrawingObject oldBrush = canvas.Select(newBrush);
  draw();
  canvas.Select(oldPen);
  canvas.Select(oldBrush);
  canvas.Delete(newPen);
  canvas.Delete(newBrush);
}

void Background(Canvas& canvas) {
  const Size size = canvas.Dimensions();
  WithPenAndBrush(canvas, kBackground, kBackground,
                  [&] { canvas.Rectangle(0, 0, size.width, size.height); });
}

// A canvas that notes the pens and brushes made through it.
class RecordingCanvas final : public Canvas {
 public:
  explicit RecordingCanvas(Canvas& inner) : inner_(inner) {}
  Size Dimensions() const override { return inner_.Dimensions(); }
  DrawingObject CreateSolidPen(Colour c) override { return Note(inner_.CreateSolidPen(c)); }
  DrawingObject CreateSolidBrush(Colour c) override { return Note(inner_.CreateSolidBrush(c)); }
  DrawingObject Select(DrawingObject object) override { return inner_.Select(object); }
  void Delete(DrawingObject object) override { inner_.Delete(object); }
  DrawingObject CurrentPen() const override { return inner_.CurrentPen(); }
  DrawingObject CurrentBrush() const override { return inner_.CurrentBrush(); }
  void Rectangle(int l, int t, int r, int b) override { inner_.Rectangle(l, t, r, b); }
  void Polygon(std::span<const Point> vertices) override { inner_.Polygon(vertices); }
  void Ellipse(int l, int t, int r, int b) override { inner_.Ellipse(l, t, r, b); }
  const std::vector<HGDIOBJ>& Made() const { return made_; }

 private:
  DrawingObject Note(DrawingObject object) {
    made_.push_back(reinterpret_cast<HGDIOBJ>(object.value));
    return object;
  }
  Canvas& inner_;
  std::vector<HGDIOBJ> made_;
};

// The first picture of a countdown of 4:59, drawn by the program itself on `platform` with
// the settings file its files hold (the defaults without one), as its display window got it.
struct DisplayPicture {
  Size size;
  std::vector<Colour> pixels;
};
using PictureOf = std::function<std::vector<Colour>(WindowHandle)>;

DisplayPicture FirstPictureOfFourFiftyNine(Platform platform, const PictureOf& pictureOf) {
  Program program(platform);
  program.CreateMainWindow();
  WindowSystem& ui = platform.ui;
  ui.SetControlText(ui.FindControl(program.MainWindow(), main_window::kMinutes), "4");
  ui.SetControlText(ui.FindControl(program.MainWindow(), main_window::kSeconds), "59");
  program.ToggleStartStop();
  const WindowHandle display = program.DisplayWindow();
  const Rect bounds = ui.WindowBounds(display);
  DisplayPicture picture{{bounds.width, bounds.height}, pictureOf(display)};
  program.ToggleStartStop();
  program.CloseMainWindow();
  return picture;
}

class Win32DrawingTest : public ::testing::Test {
 protected:
  WindowHandle Open(bool visible) {
    windowLayout = {.name = "drawn", .frame = FrameStyle::Borderless, .size = {200, 150},
            .background = kWhite, .visible = visible};
    return ui.CreateWindowFromLayout(windowLayout, {});
  }

  // GDI's pixels, read back from the picture the window keeps after the copy.
  std::vector<Colour> DrawnByGdi(Size size, const Scene& scene) {
    const WindowHandle window = Open(false);
    std::unique_ptr<OffscreenCanvas> canvas = drawing.CreateOffscreen(window, size);
    if (canvas == nullptr) return {};
    scene(*canvas);
    canvas->CopyToWindow();
    std::vector<Colour> pixels = ui.Pictures().Pixels(AsHwnd(window));
    ui.DestroyWindow(window);
    return pixels;
  }

  static std::vector<Colour> DrawnInMemory(Size size, const Scene& scene) {
    memory::MemoryCanvas canvas(size);
    scene(canvas);
    return canvas.Pixels();
  }

  void ExpectSamePixels(Size size, const Scene& scene) {
    ExpectSamePixels(size, DrawnByGdi(size, scene), DrawnInMemory(size, scene));
  }

  static void ExpectSamePixels(Size size, const std::vector<Colour>& gdi,
                               const std::vector<Colour>& ours) {
    ASSERT_EQ(gdi.size(), ours.size());
    int differing = 0;
    for (std::size_t i = 0; i < gdi.size(); ++i) {
      if (gdi[i] == ours[i]) continue;
      if (differing++ == 0) {
        ADD_FAILURE() << "first difference at (" << i % static_cast<std::size_t>(size.width)
                      << ", " << i / static_cast<std::size_t>(size.width) << "): GDI "
                      << gdi[i] << ", in memory " << ours[i];
      }
    }
    EXPECT_EQ(differing, 0);
  }

  // The program's first picture of 4:59 as GDI draws it, with the settings file in `files`.
  DisplayPicture FirstPictureByGdi(memory::MemoryFileSystem& files) {
    support::VirtualScheduler scheduler;
    memory::MemorySound sound{scheduler};
    Win32Threads threads;
    DisplayPicture picture = FirstPictureOfFourFiftyNine(
        {ui, threads, files, drawing, sound},
        [&](WindowHandle display) { return ui.Pictures().Pixels(AsHwnd(display)); });
    MSG quit;  // left by the main window, which ends the program
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return picture;
  }

  WindowSpec windowLayout;
  Win32WindowSystem ui;
  Win32Drawing drawing{ui.Pictures()};
};

struct DigitSize {
  int width, height, thickness, gap;
};
constexpr DigitSize kDigitSizes[] = {{120, 200, 20, 2}, {11, 21, 3, 1}, {37, 61, 7, 3}};

TEST_F(Win32DrawingTest, DigitsMatchTheMemoryRasteriserPixelForPixel) {
  for (const DigitSize& d : kDigitSizes) {
    for (int digit = 0; digit <= 9; ++digit) {
      SCOPED_TRACE(testing::Message() << "digit " << digit << " in a " << d.width << "x"
                                      << d.height << " cell");
      ExpectSamePixels({d.width + 10, d.height + 15}, [&](Canvas& canvas) {
        Background(canvas);
        DrawDigit(canvas, 5, 5, d.width, d.height, digit, d.thickness, kLit, kUnlit, d.gap);
      });
    }
  }
}

TEST_F(Win32DrawingTest, SegmentOutlinesAndInteriorsMatchWithTheirOwnColours) {
  // A pen unlike the brush shows which of the two covered each pixel; segments thicker than
  // their cell cross themselves.
  const DigitSize sizes[] = {kDigitSizes[0], kDigitSizes[1], kDigitSizes[2], {9, 15, 7, 1}};
  for (const DigitSize& d : sizes) {
    SCOPED_TRACE(testing::Message() << d.width << "x" << d.height << " thickness " << d.thickness);
    ExpectSamePixels({d.width + 10, d.height + 15}, [&](Canvas& canvas) {
      Background(canvas);
      WithPenAndBrush(canvas, kPen, kBrush, [&] {
        const DigitCell cell{5, 5, d.width, d.height, d.thickness, d.gap};
        for (Segment segment : kDrawingOrder) canvas.Polygon(SegmentPolygon(cell, segment));
      });
    });
  }
}

TEST_F(Win32DrawingTest, EllipsesAndRectanglesOfEverySmallSizeMatch) {
  // Every width and height up to 32, odd and even, in a grid that the canvas's edges cut
  // through: once with the largest at the right and bottom, once at the left and top. GDI
  // under Wine paints stray spans near the cut-off tips of very thin, tall ellipses, so
  // those are left out.
  constexpr int kLargest = 32, kCell = kLargest + 3;
  const Size size{kCell * kLargest - kCell / 2, kCell * kLargest - kCell / 2};
  for (const bool largestFirst : {false, true}) {
    SCOPED_TRACE(largestFirst ? "largest at the left and top" : "largest at the right and bottom");
    ExpectSamePixels(size, [&](Canvas& canvas) {
      Background(canvas);
      WithPenAndBrush(canvas, kPen, kBrush, [&] {
        for (int w = 1; w <= kLargest; ++w) {
          for (int h = 1; h <= kLargest; ++h) {
            if (w > 2 && h > 2 && h > 2 * w - 2) continue;
            const int left = (largestFirst ? kLargest - w : w - 1) * kCell - kLargest / 2;
            const int top = (largestFirst ? kLargest - h : h - 1) * kCell - kLargest / 2;
            canvas.Ellipse(left, top, left + w, top + h);
          }
        }
      });
    });
  }
  ExpectSamePixels({60, 40}, [&](Canvas& canvas) {
    Background(canvas);
    WithPenAndBrush(canvas, kPen, kBrush, [&] {
      canvas.Rectangle(-5, -5, 10, 10);
      canvas.Rectangle(30, 2, 20, 12);  // corners in any order
      canvas.Rectangle(40, 30, 41, 35);
      canvas.Rectangle(50, 30, 70, 50);
      canvas.Rectangle(2, 20, 2, 30);
      canvas.Ellipse(-1 << 17, 25, 1 << 17, 25 + (1 << 16));  // far larger than the canvas
    });
  });
}

// The whole default picture, background, four digits and the colon's two dots, as GDI
// draws it and as the in-memory rasteriser that the portable tests look at draws it.
TEST_F(Win32DrawingTest, TheDefaultDisplayPictureMatchesTheMemoryRasteriserPixelForPixel) {
  memory::MemoryFileSystem files;
  const DisplayPicture gdi = FirstPictureByGdi(files);

  support::VirtualScheduler scheduler;
  memory::MemorySound sound{scheduler};
  support::DrivenWindowSystem memoryUi{{1920, 1080}, &scheduler};
  memory::MemoryDrawing memoryDrawing{memoryUi};
  memory::MemoryFileSystem memoryFiles;
  const DisplayPicture ours = FirstPictureOfFourFiftyNine(
      {memoryUi, scheduler, memoryFiles, memoryDrawing, sound}, [&](WindowHandle display) {
        const auto picture = memoryDrawing.WindowPicture(display);
        return picture ? picture->pixels : std::vector<Colour>{};
      });

  ASSERT_EQ(gdi.size, (Size{584, 210}));
  ASSERT_EQ(ours.size, gdi.size);
  ASSERT_EQ(gdi.pixels.size(), 584u * 210u);
  // The upper dot of the colon, black on the grey background in the colon's cell (between
  // the minutes' two cells of 123 pixels and the seconds'), is 27 by 33 pixels.
  int dotLeft = 584, dotRight = -1, dotTop = 210, dotBottom = -1;
  for (int y = 0; y < 105; ++y) {
    for (int x = 5 + 2 * 123; x < 5 + 2 * 123 + 82; ++x) {
      if (gdi.pixels[static_cast<std::size_t>(y * 584 + x)] != 0) continue;
      dotLeft = std::min(dotLeft, x);
      dotRight = std::max(dotRight, x);
      dotTop = std::min(dotTop, y);
      dotBottom = std::max(dotBottom, y);
    }
  }
  EXPECT_EQ(dotRight - dotLeft + 1, 27);
  EXPECT_EQ(dotBottom - dotTop + 1, 33);

  ExpectSamePixels(gdi.size, gdi.pixels, ours.pixels);
}

// GDI does not take every 32-bit value as a colour: a top byte of 1 names an entry of the
// palette, and 0xFF no colour at all. The settings file can give the pickers such values;
// the display draws them as the red, green and blue bytes they hold.
TEST_F(Win32DrawingTest, ColoursWithATopByteAreDrawnAsTheirRedGreenAndBlue) {
  constexpr Colour kPaletteIndexRed = 0x010000FFu;  // PALETTEINDEX(255) to GDI
  constexpr Colour kInvalidGreen = 0xFF00FF00u;
  for (const Colour colour : {kPaletteIndexRed, kInvalidGreen}) {
    const std::vector<Colour> plain = DrawnByGdi({4, 4}, [&](Canvas& canvas) {
      WithPenAndBrush(canvas, colour, colour, [&] { canvas.Rectangle(0, 0, 4, 4); });
    });
    ASSERT_EQ(plain.size(), 16u);
    EXPECT_NE(plain[5], colour & 0x00FFFFFFu) << "GDI painted " << colour << " as its bytes";
  }

  memory::MemoryFileSystem files;
  files.AddFile("C:\\Zorvane\\MyConfig.ini",
                "[color]\r\nbgc=16777471\r\nsplit=-16711936\r\n");  // the two above
  const DisplayPicture picture = FirstPictureByGdi(files);
  ASSERT_EQ(picture.pixels.size(), 584u * 210u);
  EXPECT_EQ(picture.pixels[2 * 584 + 2], RgbColour(255, 0, 0)) << "the background";
  // The middle of the colon's upper dot, 27 by 33 pixels from (278, 38).
  EXPECT_EQ(picture.pixels[54 * 584 + 291], RgbColour(0, 255, 0)) << "the colon";
}

TEST_F(Win32DrawingTest, DigitLeavesTheContextsPenAndBrush) {
  const WindowHandle window = Open(false);
  auto canvas = drawing.CreateOffscreen(window, {130, 215});
  ASSERT_NE(canvas, nullptr);
  const DrawingObject pen = canvas->CurrentPen();
  const DrawingObject brush = canvas->CurrentBrush();
  ASSERT_TRUE(pen && brush);
  DrawDigit(*canvas, 5, 5, 120, 200, 8, 20, kLit, kUnlit, 2);
  EXPECT_EQ(canvas->CurrentPen(), pen);
  EXPECT_EQ(canvas->CurrentBrush(), brush);
}

TEST_F(Win32DrawingTest, TenThousandRedrawsLeaveNoObjectBehind) {
  const WindowHandle window = Open(false);
  const int before = drawing.LiveObjectCount();
  const int censusBefore = GdiCensus::Live();
  const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 10000; ++i) {
    std::vector<HGDIOBJ> made;
    {
      auto canvas = drawing.CreateOffscreen(window, {130, 215});
      ASSERT_NE(canvas, nullptr) << "redraw " << i;  // leaked contexts would soon run out
      RecordingCanvas recording(*canvas);
      DrawDigit(recording, 5, 5, 120, 200, i % 10, 20, kLit, kUnlit, 2);
      recording.Ellipse(10, 10, 40, 44);
      made = recording.Made();
      ASSERT_EQ(drawing.LiveObjectCount(), before + 2);  // the canvas's context and bitmap
    }
    for (HGDIOBJ object : made) ASSERT_EQ(GetObjectType(object), 0u) << "redraw " << i;
  }
  EXPECT_EQ(drawing.LiveObjectCount(), before);
  EXPECT_EQ(GdiCensus::Live(), censusBefore);  // the window's DC too
  // Windows counts the process's GDI objects; Wine answers 0, and then the handles checked
  // one by one above stand in.
  if (gdiBefore != 0) {
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
  }
}

TEST_F(Win32DrawingTest, RepaintShowsTheLastPictureCopied) {
  const WindowHandle window = Open(true);
  const HWND hwnd = AsHwnd(window);
  const Size size{200, 150};
  const Scene scene = [](Canvas& canvas) {
    Background(canvas);
    WithPenAndBrush(canvas, kPen, kBrush, [&] { canvas.Ellipse(20, 10, 180, 140); });
  };
  auto canvas = drawing.CreateOffscreen(window, size);
  ASSERT_NE(canvas, nullptr);
  scene(*canvas);
  canvas->CopyToWindow();
  canvas->Rectangle(0, 0, 200, 150);  // drawn after the copy: never shown
  ui.PumpPendingMessages();

  // Something else paints over the window; the system then asks it to repaint.
  {
    const WindowDc dc(hwnd);
    PatBlt(dc.get(), 0, 0, size.width, size.height, BLACKNESS);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);

  // What the window shows now, copied from its device context.
  KeptPictures shot;
  {
    const WindowDc dc(hwnd);
    shot.Keep(hwnd, dc.get(), size);
  }
  const std::vector<Colour> shown = shot.Pixels(hwnd);
  const std::vector<Colour> expected = DrawnInMemory(size, scene);
  ASSERT_EQ(shown.size(), expected.size());
  int differing = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) differing += shown[i] != expected[i] ? 1 : 0;
  EXPECT_EQ(differing, 0);
  ui.DestroyWindow(window);
}

}  // namespace
}  // namespace zorvane::win32
