#include "display/time_display.h"

#include <mutex>

#include "core/fractional.h"
#include "core/text_to_integer.h"
#include "display/canvas_objects.h"
#include "display/display_screen.h"
#include "display/draw_digit.h"
#include "display/display_fade.h"

namespace zorvane {
namespace {

std::string TwoCharacters(std::int32_t value) {
  std::string text = IntegerToText(value);
  if (text.size() < 2) text = "0" + text;
  return text;
}

struct Geometry {
  std::int32_t marginX, marginY, width, height, thickness, gap, space;
  double pitch;  // in double: the sizes are taken as they come, however large
};

Geometry ReadGeometry(const ProgramState& state) {
  Geometry g{state.DisplayMarginX.load(), state.DisplayMarginY.load(), state.DigitWidth.load(),
             state.DigitHeight.load(), state.SegmentThickness.load(), state.SegmentGap.load(),
             state.DigitSpace.load(), 0};
  // The space between neighbouring digits, added to the digit width.
  g.pitch = static_cast<double>(g.width) + g.space;
  return g;
}

// Sizes, centres and shows the window for the texts of this picture. On the UI thread.
void LayOutWindow(DisplayContext& display, WindowHandle window, const Geometry& g,
                  std::int32_t characters) {
  WindowSystem& ui = display.ui;
  Rect bounds = ui.WindowBounds(window);
  bounds.width = DisplayWidth(g.marginX, g.width, characters, g.space);
  bounds.height = TruncateToInt(2.0 * g.marginY + g.height);
  ui.SetWindowBounds(window, bounds);
  CentreDisplayWindow(display, window);  // with the size the window really took
  ui.ShowWindow(window, true);
  display.state.DisplayLayoutPending = 0;
}

void FillBackground(Canvas& canvas, Colour colour, Size size) {
  const ScopedDrawingObject pen(canvas, canvas.CreateSolidPen(colour));
  const ScopedDrawingObject brush(canvas, canvas.CreateSolidBrush(colour));
  SelectionRestorer selection(canvas);
  selection.Use(pen, brush);
  canvas.Rectangle(0, 0, size.width, size.height);
}

// Draws one text's digits from `left`, a pitch apart; returns where the next cell would go.
double DrawDigits(Canvas& canvas, const std::string& text, double left, const Geometry& g,
                  Colour lit, Colour unlit) {
  for (char character : text) {
    DrawDigit(canvas, TruncateToInt(left), g.marginY, g.width, g.height, GlyphFor(character),
              g.thickness, lit, unlit, g.gap);
    left += g.pitch;
  }
  return left;
}

// Back to the keyed look (opaque, pure white see-through) and the seconds into 总时间, for
// the countdown still on the screen only. On the UI thread, where Stop and Start run, so
// the check cannot go stale before the changes are made; the lock is held around the look
// alone, which waits for nothing there.
void ShowKeyedLook(DisplayContext& display, WindowHandle window, std::int32_t remaining) {
  if (!display.state.Shows(window)) return;
  {
    std::lock_guard lock(*display.state.DisplayLock);
    ApplyLayeredAttributes(display.drawing, window, kWhite, 0, LayeredFlags::ColourKey);
  }
  display.ui.SetControlText(display.controls.remaining, IntegerToText(remaining));
}

// A picker's colour as drawn: the settings file can give a picker any 32-bit value, but
// only the red, green and blue bytes make a colour (a high byte would ask the system for a
// palette entry instead).
Colour Picked(const WindowSystem& ui, ControlHandle picker) {
  return ui.ControlColour(picker) & 0x00FFFFFFu;
}

}  // namespace

TimeTexts FormatRemaining(std::int32_t remaining) {
  return {TwoCharacters(remaining / 60), TwoCharacters(remaining % 60)};
}

TimeTexts FormatOvertime(std::int32_t over) {
  return {"-" + TwoCharacters(over / 60), TwoCharacters(over % 60)};
}

std::int32_t GlyphFor(char character) {
  if (character == '-') return kMinusGlyph;
  return TextToInteger(std::string_view(&character, 1));
}

std::int32_t DisplayWidth(std::int32_t margin, std::int32_t digitWidth, std::int32_t characters,
                          std::int32_t digitSpace) {
  const double pitch = static_cast<double>(digitWidth) + digitSpace;
  return TruncateToInt(2.0 * margin + pitch * (characters + kTwoThirds));
}

void DrawSeparatorDot(Canvas& surface, std::int32_t left, std::int32_t top, std::int32_t right,
                      std::int32_t bottom, Colour colour) {
  const ScopedDrawingObject pen(surface, surface.CreateSolidPen(colour));
  const ScopedDrawingObject brush(surface, surface.CreateSolidBrush(colour));
  SelectionRestorer selection(surface);
  selection.Use(pen, brush);
  surface.Ellipse(left, top, right, bottom);
}

void CentreDisplayWindow(const DisplayContext& display, WindowHandle window) {
  WindowSystem& ui = display.ui;
  Rect bounds = ui.WindowBounds(window);
  const Rect screen = DisplayScreen(ui, display.monitor, display.bar);
  bounds.left = screen.left + TruncateToInt((static_cast<double>(screen.width) - bounds.width) / 2);
  bounds.top = screen.top + TruncateToInt((static_cast<double>(screen.height) - bounds.height) / 2);
  ui.SetWindowBounds(window, bounds);
}

void RedrawDisplay(DisplayContext& display, WindowHandle window, std::int32_t remaining) {
  WindowSystem& ui = display.ui;
  const bool over = display.overtime && remaining < 0;
  const TimeTexts texts = over ? FormatOvertime(-remaining) : FormatRemaining(remaining);
  const Geometry g = ReadGeometry(display.state);

  if (display.state.DisplayLayoutPending != 0) {
    ui.RunOnUiThread([&] {
      if (!display.state.Shows(window) || display.state.DisplayLayoutPending == 0) return;
      LayOutWindow(display, window, g,
                   static_cast<std::int32_t>(texts.minutes.size() + texts.seconds.size()));
    });
  }

  const Rect bounds = ui.WindowBounds(window);
  if (auto canvas = display.drawing.CreateOffscreen(window, {bounds.width, bounds.height})) {
    const DisplayControls& c = display.controls;
    FillBackground(*canvas, Picked(ui, c.background), canvas->Dimensions());

    // Time over is all in the alarm colour, the minus too: nobody takes it for time left.
    const double afterMinutes =
        DrawDigits(*canvas, texts.minutes, g.marginX, g, Picked(ui, over ? c.alarm : c.lit),
                   Picked(ui, c.unlit));

    // The colon: two dots, 2/9 of a pitch wide and a sixth of the digit high, centred in a
    // cell two thirds of a pitch wide, at a quarter and three quarters of the height.
    const double colon = afterMinutes;
    const double dotLeft = colon + 2.0 * g.pitch / 9.0;
    const double dotRight = colon + 4.0 * g.pitch / 9.0;
    const double sixth = g.height / 6.0;
    const double third = g.height / 3.0;
    const double half = g.height / 2.0;
    const Colour separator = Picked(ui, c.separator);
    DrawSeparatorDot(*canvas, TruncateToInt(dotLeft), TruncateToInt(g.marginY + sixth),
                     TruncateToInt(dotRight), TruncateToInt(g.marginY + third), separator);
    DrawSeparatorDot(*canvas, TruncateToInt(dotLeft), TruncateToInt(g.marginY + sixth + half),
                     TruncateToInt(dotRight), TruncateToInt(g.marginY + third + half), separator);

    // The seconds turn to the alarm colour in the last minute.
    const Colour secondsColour = remaining < 60 ? Picked(ui, c.alarm) : Picked(ui, c.lit);
    const double firstSecond = TruncateToInt(colon + g.pitch * kTwoThirds);
    DrawDigits(*canvas, texts.seconds, firstSecond, g, secondsColour, Picked(ui, c.unlit));

    canvas->CopyToWindow();
  }

  ui.RunOnUiThread([&] { ShowKeyedLook(display, window, remaining); });
}

}  // namespace zorvane
