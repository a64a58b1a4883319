// The picture of the remaining time: "mm:ss" in seven-segment digits with a colon of two
// dots, on a plain background, composed off screen and copied to the display window in one
// step. The first picture after Start or Resume also sizes the window to the digits,
// centres it on the screen and shows it.
#pragma once

#include <cstdint>
#include <string>

#include "core/program_state.h"
#include "core/stage_options.h"
#include "platform/drawing.h"
#include "platform/window_system.h"

namespace zorvane {

// The controls a redraw reads (the colours) and writes (the remaining seconds), found once
// on the UI thread so that a worker thread never has to look anything up.
struct DisplayControls {
  ControlHandle background;
  ControlHandle lit;
  ControlHandle unlit;
  ControlHandle alarm;
  ControlHandle separator;
  ControlHandle remaining;  // 总时间, on the main window
};

// What a redraw works with. Every member may be used from a worker thread.
struct DisplayContext {
  WindowSystem& ui;
  Drawing& drawing;
  ProgramState& state;
  DisplayControls controls;
  // Negative seconds are time over, drawn "-mm:ss" (see FormatOvertime); otherwise as any
  // other number.
  bool overtime = false;
  // Where the display is centred, read on the UI thread: the monitor the presenter chose,
  // and the bar, whose monitor Monitor=bar names.
  MonitorChoice monitor = {};
  WindowHandle bar = {};
};

// The two texts of the picture: whole minutes (truncated toward zero) and the remainder,
// each with a "0" in front when shorter than two characters.
struct TimeTexts {
  std::string minutes;
  std::string seconds;
};
TimeTexts FormatRemaining(std::int32_t remaining);

// The texts of `over` seconds past zero: a minus in a cell of its own before the minutes,
// "-00" "05" for five seconds over. The minus takes the place of a digit, so the display
// is one digit wider than the countdown's and its digits are as large.
TimeTexts FormatOvertime(std::int32_t over);

// The digit shown for one character of the texts: its value for a digit; the minus of a
// negative time is drawn as a lone middle bar.
std::int32_t GlyphFor(char character);

// The display's own lengths, logical like the settings' digit geometry: the margin round
// the digits and the space between neighbouring digits.
inline constexpr std::int32_t kDisplayMargin = 5;
inline constexpr std::int32_t kDigitSpace = 3;

// The display window's width for `characters` digit cells and the colon.
std::int32_t DisplayWidth(std::int32_t margin, std::int32_t digitWidth, std::int32_t characters,
                          std::int32_t digitSpace = kDigitSpace);

// Centres the display window with the size it has on the primary screen, or on the monitor
// chosen: whole on it wherever it fits. On the UI thread.
void CentreDisplayWindow(const DisplayContext& display, WindowHandle window);

// Draws `remaining` in `window`, the display of the countdown the redraw was started for.
// What changes windows of the UI thread (the first picture's layout, the keyed look, the
// seconds in 总时间) is done there, and only while `window` still shows its countdown:
// a redraw that outlives its countdown changes nothing of the next one.
void RedrawDisplay(DisplayContext& display, WindowHandle window, std::int32_t remaining);

// A filled ellipse in the separator colour, outline included.
void DrawSeparatorDot(Canvas& surface, std::int32_t left, std::int32_t top, std::int32_t right,
                      std::int32_t bottom, Colour colour);

}  // namespace zorvane
