#include "platform/scaled_layout.h"

#include <utility>

#include "platform/dpi_scale.h"

namespace zorvane {

ScaledLayout::ScaledLayout(const WindowSpec& layout, int dpi) : spec_(layout) {
  controls_.reserve(layout.controls.size());
  for (ControlSpec control : layout.controls) {
    // A child's rectangle is relative to its container, so siblings keep touching.
    control.rect = ScaleRect(control.rect, dpi);
    control.font = ScaleFont(control.font, dpi);
    controls_.push_back(control);
  }
  spec_.size = ScaleSize(layout.size, dpi);
  spec_.controls = controls_;
}

ScaledLayout::ScaledLayout(ScaledLayout&& other) noexcept
    : controls_(std::move(other.controls_)), spec_(other.spec_) {
  spec_.controls = controls_;
  other.spec_.controls = {};
}

ScaledLayout& ScaledLayout::operator=(ScaledLayout&& other) noexcept {
  if (this != &other) {
    controls_ = std::move(other.controls_);
    spec_ = other.spec_;
    spec_.controls = controls_;
    other.spec_.controls = {};
  }
  return *this;
}

}  // namespace zorvane
