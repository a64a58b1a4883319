// The Tab key moves the focus through the controls that have the tab-stop flag, in the
// order of their focus numbers; controls that share a number keep their table order.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/layout.h"

namespace zorvane {

// Indices into `controls` of the tab-stop controls, in Tab order.
std::vector<std::size_t> TabOrder(std::span<const ControlSpec> controls);

// The index (into `controls`) the focus moves to from `current` (an index, or none when the
// focus is elsewhere), skipping controls for which `canFocus` is false. Returns `current`
// when no other control can take the focus.
template <typename CanFocus>
std::ptrdiff_t NextTabStop(std::span<const ControlSpec> controls, std::ptrdiff_t current,
                           bool backwards, CanFocus canFocus) {
  const std::vector<std::size_t> order = TabOrder(controls);
  const auto count = static_cast<std::ptrdiff_t>(order.size());
  if (count == 0) return current;
  std::ptrdiff_t position = -1;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (static_cast<std::ptrdiff_t>(order[static_cast<std::size_t>(i)]) == current) position = i;
  }
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    std::ptrdiff_t next;
    if (position < 0) {
      next = backwards ? count - step : step - 1;
    } else {
      next = ((position + (backwards ? -step : step)) % count + count) % count;
    }
    const std::size_t candidate = order[static_cast<std::size_t>(next)];
    if (canFocus(candidate)) return static_cast<std::ptrdiff_t>(candidate);
  }
  return current;
}

}  // namespace zorvane
