#include "platform/scaled_layout.h"

#include <utility>

#include "platform/dpi_scale.h"

namespace zorvane {

ScaledLayout::ScaledLayout(const WindowSpec& layout, int dpi)
    : logical_(layout.controls.begin(), layout.controls.end()),
      controls_(logical_),
      logicalSize_(layout.size),
      window_(layout) {
  window_.controls = controls_;
  Rescale(dpi);
}

void ScaledLayout::Rescale(int dpi) {
  for (std::size_t i = 0; i < logical_.size(); ++i) {
    // A child's rectangle is relative to its container, so siblings keep touching.
    controls_[i].rect = ScaleRect(logical_[i].rect, dpi);
    controls_[i].font = ScaleFont(logical_[i].font, dpi);
  }
  window_.size = ScaleSize(logicalSize_, dpi);
  dpi_ = dpi;
}

ScaledLayout::ScaledLayout(ScaledLayout&& other) noexcept
    : logical_(std::move(other.logical_)),
      controls_(std::move(other.controls_)),
      logicalSize_(other.logicalSize_),
      window_(other.window_),
      dpi_(other.dpi_) {
  window_.controls = controls_;
  other.window_.controls = {};
}

ScaledLayout& ScaledLayout::operator=(ScaledLayout&& other) noexcept {
  if (this != &other) {
    logical_ = std::move(other.logical_);
    controls_ = std::move(other.controls_);
    logicalSize_ = other.logicalSize_;
    window_ = other.window_;
    dpi_ = other.dpi_;
    window_.controls = controls_;
    other.window_.controls = {};
  }
  return *this;
}

}  // namespace zorvane
