#include "app/main_window_controls.h"

#include "app/main_window_layout.h"

namespace zorvane {

SettingsControls FindSettingsControls(const WindowSystem& ui, WindowHandle mainWindow) {
  using namespace main_window;
  const auto find = [&](std::string_view name) { return ui.FindControl(mainWindow, name); };
  return {
      .digitWidth = find(kDigitWidth),
      .digitHeight = find(kDigitHeight),
      .segmentThickness = find(kSegmentThickness),
      .segmentGap = find(kSegmentGap),
      .background = find(kBackgroundColour),
      .lit = find(kLitColour),
      .unlit = find(kUnlitColour),
      .alarm = find(kAlarmColour),
      .separator = find(kSeparatorColour),
  };
}

CountdownControls FindCountdownControls(const WindowSystem& ui, WindowHandle mainWindow) {
  using namespace main_window;
  const auto find = [&](std::string_view name) { return ui.FindControl(mainWindow, name); };
  // The countdown reads the settings' controls at Start and at every redraw.
  const SettingsControls settings = FindSettingsControls(ui, mainWindow);
  return {
      .start = find(kStart),
      .pause = find(kPause),
      .minutes = find(kMinutes),
      .seconds = find(kSeconds),
      .digitWidth = settings.digitWidth,
      .digitHeight = settings.digitHeight,
      .segmentThickness = settings.segmentThickness,
      .segmentGap = settings.segmentGap,
      .display = {.background = settings.background,
                  .lit = settings.lit,
                  .unlit = settings.unlit,
                  .alarm = settings.alarm,
                  .separator = settings.separator,
                  .remaining = find(kRemaining)},
  };
}

}  // namespace zorvane
