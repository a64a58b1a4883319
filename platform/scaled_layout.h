// A window's layout laid out at one DPI: its size, every control's rectangle and every
// font's pixel height scaled by the rule of dpi_scale.h. Both window systems build their
// windows from one, and a window keeps its own for as long as it lives: the window's
// records point at these rows, not at the table it was made from. Pictures keep their
// natural size.
#pragma once

#include <vector>

#include "platform/layout.h"

namespace zorvane {

class ScaledLayout {
 public:
  ScaledLayout() = default;
  ScaledLayout(const WindowSpec& layout, int dpi);
  // A move keeps the rows where they are, and the spec pointing at them; a copy would not.
  ScaledLayout(ScaledLayout&& other) noexcept;
  ScaledLayout& operator=(ScaledLayout&& other) noexcept;
  ScaledLayout(const ScaledLayout&) = delete;
  ScaledLayout& operator=(const ScaledLayout&) = delete;
  ~ScaledLayout() = default;

  // The layout at the DPI, its controls in table order.
  const WindowSpec& Spec() const { return spec_; }

 private:
  std::vector<ControlSpec> controls_;
  WindowSpec spec_;
};

}  // namespace zorvane
