// A window's layout laid out at one DPI: its size, every control's rectangle and every
// font's pixel height scaled by the rule of dpi_scale.h. Both window systems build their
// windows from one, and a window keeps its own for as long as it lives: the window's
// records point at these rows, not at the table it was made from. Pictures are chosen for
// the DPI when the controls are built (see picture_set.h).
#pragma once

#include <vector>

#include "platform/layout.h"

namespace zorvane {

class ScaledLayout {
 public:
  ScaledLayout() = default;
  ScaledLayout(const WindowSpec& layout, int dpi);
  // A move keeps the rows where they are, and the window's table pointing at them; a copy
  // would not.
  ScaledLayout(ScaledLayout&& other) noexcept;
  ScaledLayout& operator=(ScaledLayout&& other) noexcept;
  ScaledLayout(const ScaledLayout&) = delete;
  ScaledLayout& operator=(const ScaledLayout&) = delete;
  ~ScaledLayout() = default;

  // The layout at the DPI, its controls in table order.
  const WindowSpec& Window() const { return window_; }
  int Dpi() const { return dpi_; }
  // Lays the same layout out again at another DPI (a window moved to a screen of another
  // DPI), from its logical lengths, so nothing is rounded twice. The rows stay where they
  // are: whatever points at one still does.
  void Rescale(int dpi);

 private:
  std::vector<ControlSpec> logical_;   // the rows at 96 DPI, as the table gave them
  std::vector<ControlSpec> controls_;  // the same rows at dpi_
  Size logicalSize_;
  WindowSpec window_;
  int dpi_ = kLogicalDpi;
};

}  // namespace zorvane
