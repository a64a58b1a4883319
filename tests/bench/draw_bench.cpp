// Benchmark, not a test: how long one whole picture of the display takes (the background,
// four digits, the two dots of the colon, and the copy to the window), at the default size
// and at a size that fills a 3840x2160 screen, against a plain copy of a bitmap that size.
// The in-memory backend is measured in every build; GDI in the Windows build, under Wine:
//
//   build/native/tests/bench/draw_bench
//   scripts/wine-env.sh start STATE
//   scripts/wine-run.sh STATE build/win32/tests/bench/draw_bench.exe
//   scripts/wine-env.sh stop STATE
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "display/canvas_objects.h"
#include "display/draw_digit.h"
#include "platform/memory/memory_drawing.h"
#include "tests/support/driven_window_system.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/handle_casts.h"
#include "platform/win32/scoped.h"
#include "platform/win32/win32_drawing.h"
#include "platform/win32/win32_window_system.h"
#endif

namespace zorvane {
namespace {

// Where the display puts its digits and dots, for a time such as 12:34.
struct Layout {
  const char* name;
  Size picture;
  int digitWidth, digitHeight, thickness, gap;
  int digitLeft[4];
  int top;
  Rect dots[2];
};

constexpr Layout kLayouts[] = {
    {"default", {584, 210}, 120, 200, 20, 2, {5, 128, 333, 456}, 5,
     {{278, 38, 27, 33}, {278, 138, 27, 33}}},
    {"3840x2160", {3840, 2160}, 790, 2150, 130, 13, {5, 798, 2252, 3045}, 5,
     {{1831, 408, 178, 355}, {1831, 1483, 178, 355}}},
};

constexpr Colour kBackground = RgbColour(212, 208, 200);
constexpr Colour kLit = kBlack;
constexpr Colour kUnlit = RgbColour(236, 233, 216);

void FillWith(Canvas& canvas, Colour colour, const std::function<void()>& draw) {
  const ScopedDrawingObject pen(canvas, canvas.CreateSolidPen(colour));
  const ScopedDrawingObject brush(canvas, canvas.CreateSolidBrush(colour));
  SelectionRestorer selection(canvas);
  selection.Use(pen, brush);
  draw();
}

void DrawPicture(Canvas& canvas, const Layout& layout) {
  FillWith(canvas, kBackground,
           [&] { canvas.Rectangle(0, 0, layout.picture.width, layout.picture.height); });
  for (int i = 0; i < 4; ++i) {
    DrawDigit(canvas, layout.digitLeft[i], layout.top, layout.digitWidth, layout.digitHeight,
              i + 1, layout.thickness, kLit, kUnlit, layout.gap);
  }
  FillWith(canvas, kLit, [&] {
    for (const Rect& dot : layout.dots) {
      canvas.Ellipse(dot.left, dot.top, dot.left + dot.width, dot.top + dot.height);
    }
  });
}

// Milliseconds per run, after one run to warm up.
double Milliseconds(int runs, const std::function<void()>& run) {
  run();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) run();
  const std::chrono::duration<double, std::milli> total = std::chrono::steady_clock::now() - start;
  return total.count() / runs;
}

int RunsFor(const Layout& layout) { return layout.picture.width > 1000 ? 10 : 200; }

void PrintRow(const char* backend, const Layout& layout, double picture, double copy) {
  const std::string size =
      std::to_string(layout.picture.width) + "x" + std::to_string(layout.picture.height);
  const std::string cell = std::to_string(layout.digitWidth) + "x" +
                           std::to_string(layout.digitHeight) + ", " +
                           std::to_string(layout.thickness) + ", " + std::to_string(layout.gap);
  std::printf("%-8s %-10s %-18s %12.3f %12.3f %8.1f\n", backend, size.c_str(), cell.c_str(),
              picture, copy, picture / copy);
}

const WindowSpec kWindow{.name = "display", .frame = FrameStyle::Borderless, .visible = false};

void MeasureMemory(const Layout& layout) {
  support::DrivenWindowSystem ui;
  memory::MemoryDrawing drawing(ui);
  WindowSpec windowLayout = kWindow;
  windowLayout.size = layout.picture;
  const WindowHandle window = ui.CreateWindowFromLayout(windowLayout, {});
  const double picture = Milliseconds(RunsFor(layout), [&] {
    const auto canvas = drawing.CreateOffscreen(window, layout.picture);
    DrawPicture(*canvas, layout);
    canvas->CopyToWindow();
  });
  const std::size_t count = static_cast<std::size_t>(layout.picture.width) *
                            static_cast<std::size_t>(layout.picture.height);
  std::vector<Colour> from(count, kBackground), to(count);
  volatile Colour seen = 0;  // keeps the copies from being optimised away
  const double copy = Milliseconds(RunsFor(layout) * 10, [&] {
    std::memcpy(to.data(), from.data(), count * sizeof(Colour));
    seen = to[count / 2];
  });
  PrintRow("memory", layout, picture, copy);
}

#ifdef _WIN32
void MeasureGdi(const Layout& layout) {
  win32::Win32WindowSystem ui;
  win32::Win32Drawing drawing(ui.Pictures());
  WindowSpec windowLayout = kWindow;
  windowLayout.size = layout.picture;
  windowLayout.visible = true;
  const WindowHandle window = ui.CreateWindowFromLayout(windowLayout, {});
  const HWND hwnd = win32::AsHwnd(window);
  ui.PumpPendingMessages();
  const double picture = Milliseconds(RunsFor(layout), [&] {
    const auto canvas = drawing.CreateOffscreen(window, layout.picture);
    DrawPicture(*canvas, layout);
    canvas->CopyToWindow();
    GdiFlush();
  });
  const win32::WindowDc windowDc(hwnd);
  const win32::ScopedGdiObject<HBITMAP> bitmap(
      CreateCompatibleBitmap(windowDc.get(), layout.picture.width, layout.picture.height));
  const win32::ScopedMemoryDc memoryDc(CreateCompatibleDC(windowDc.get()));
  const win32::Selection selected(memoryDc.get(), bitmap.get());
  const double copy = Milliseconds(RunsFor(layout) * 10, [&] {
    BitBlt(windowDc.get(), 0, 0, layout.picture.width, layout.picture.height, memoryDc.get(), 0,
           0, SRCCOPY);
    GdiFlush();
  });
  PrintRow("GDI", layout, picture, copy);
}
#endif

}  // namespace
}  // namespace zorvane

int main() {
  using namespace zorvane;
  std::printf("%-8s %-10s %-18s %12s %12s %8s\n", "backend", "picture", "cell W x H, B, S",
              "picture ms", "copy ms", "ratio");
  for (const Layout& layout : kLayouts) MeasureMemory(layout);
#ifdef _WIN32
  for (const Layout& layout : kLayouts) MeasureGdi(layout);
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  std::printf("(built with sanitizers: configure with -DZORVANE_SANITIZE=none for real figures)\n");
#endif
  return 0;
}
