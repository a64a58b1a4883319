#include "platform/scaled_layout.h"

#include <utility>

#include "platform/dpi_scale.h"

namespace zorvane {

ScaledLayout::ScaledLayout(const WindowSpec& layout, int dpi)
    : logical_(layout.controls.begin(), layout.controls.end()),
      controls_(logical_),
      logicalSize_(layout.size),
      spec_(layout) {
  spec_.controls = controls_;
  Rescale(dpi);
}

void ScaledLayout::Rescale(int dpi) {
  for (std::size_t i = 0; i < logical_.size(); ++i) {
    // A child's rectangle is relative to its container, so siblings keep touching.
    controls_[i].rect = ScaleRect(logical_[i].rect, dpi);
    controls_[i].font = ScaleFont(logical_[i].font, dpi);
  }
  spec_.size = ScaleSize(logicalSize_, dpi);
  dpi_ = dpi;
}

ScaledLayout::ScaledLayout(ScaledLayout&& other) noexcept
    : logical_(std::move(other.logical_)),
      controls_(std::move(other.controls_)),
      logicalSize_(other.logicalSize_),
      spec_(other.spec_),
      dpi_(other.dpi_) {
  spec_.controls = controls_;
  other.spec_.controls = {};
}

ScaledLayout& ScaledLayout::operator=(ScaledLayout&& other) noexcept {
  if (this != &other) {
    logical_ = std::move(other.logical_);
    controls_ = std::move(other.controls_);
    logicalSize_ = other.logicalSize_;
    spec_ = other.spec_;
    dpi_ = other.dpi_;
    spec_.controls = controls_;
    other.spec_.controls = {};
  }
  return *this;
}

}  // namespace zorvane
