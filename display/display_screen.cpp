#include "display/display_screen.h"

#include <vector>

#include "platform/screen_fit.h"

namespace zorvane {

Rect DisplayScreen(const WindowSystem& ui, const MonitorChoice& choice, WindowHandle bar) {
  const Size primary = ui.ScreenSize();
  const Rect primaryScreen{0, 0, primary.width, primary.height};
  if (!choice.followBar && choice.number <= 0) return primaryScreen;
  const std::vector<Rect> monitors = ui.MonitorRects();
  if (choice.followBar) {
    return monitors.empty() ? primaryScreen : NearestMonitor(ui.WindowBounds(bar), monitors);
  }
  const auto index = static_cast<std::size_t>(choice.number - 1);
  return index < monitors.size() ? monitors[index] : primaryScreen;
}

}  // namespace zorvane
