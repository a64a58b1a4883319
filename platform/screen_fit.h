// Keeping a window whole on a screen of several monitors: which monitor a window belongs
// to, and the place nearest to where it is at which it lies whole on it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "platform/geometry.h"

namespace zorvane {

constexpr bool IsWholeOn(Rect window, Rect monitor) {
  return window.left >= monitor.left && window.top >= monitor.top &&
         window.left + window.width <= monitor.left + monitor.width &&
         window.top + window.height <= monitor.top + monitor.height;
}

// How far apart the two rectangles are along one axis: 0 when they overlap there.
constexpr std::int64_t GapBetween(int startA, int lengthA, int startB, int lengthB) {
  return std::max<std::int64_t>({0, std::int64_t{startB} - (startA + lengthA),
                                  std::int64_t{startA} - (startB + lengthB)});
}

constexpr std::int64_t OverlapArea(Rect a, Rect b) {
  const std::int64_t width = std::min<std::int64_t>(a.left + a.width, b.left + b.width) -
                             std::max(a.left, b.left);
  const std::int64_t height = std::min<std::int64_t>(a.top + a.height, b.top + b.height) -
                              std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

// The monitor that holds most of the window, or, when it is on none, the closest one (as
// the system picks the nearest monitor). `monitors` must not be empty.
constexpr Rect NearestMonitor(Rect window, std::span<const Rect> monitors) {
  Rect best = monitors.front();
  std::int64_t bestOverlap = -1;
  std::int64_t bestGap = 0;
  for (const Rect& monitor : monitors) {
    const std::int64_t overlap = OverlapArea(window, monitor);
    const std::int64_t dx = GapBetween(window.left, window.width, monitor.left, monitor.width);
    const std::int64_t dy = GapBetween(window.top, window.height, monitor.top, monitor.height);
    const std::int64_t gap = dx * dx + dy * dy;
    if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && gap < bestGap)) {
      best = monitor;
      bestOverlap = overlap;
      bestGap = gap;
    }
  }
  return best;
}

// The window moved as little as it takes to lie whole on the monitor; one larger than the
// monitor keeps its top-left corner on it.
constexpr Rect MovedWholeOnto(Rect window, Rect monitor) {
  window.left = std::max(monitor.left,
                         std::min(window.left, monitor.left + monitor.width - window.width));
  window.top = std::max(monitor.top,
                        std::min(window.top, monitor.top + monitor.height - window.height));
  return window;
}

}  // namespace zorvane
