#include "platform/memory/memory_drawing.h"

namespace zorvane::memory {

MemoryDrawing::MemoryDrawing(const MemoryWindowSystem& ui) : ui_(ui) {}

namespace {
// A bitmap this large cannot be had, as the real one fails for a window of absurd size.
constexpr long long kLargestBitmapPixels = 64LL * 1024 * 1024;
}  // namespace

std::unique_ptr<OffscreenCanvas> MemoryDrawing::CreateOffscreen(WindowHandle window, Size size) {
  if (!ui_.WindowExists(window)) return nullptr;
  if (static_cast<long long>(size.width) * size.height > kLargestBitmapPixels) return nullptr;
  auto keep = [this, window](const MemoryCanvas& canvas) {
    if (!ui_.WindowExists(window)) return;  // a copy to a window that is gone goes nowhere
    std::lock_guard lock(mutex_);
    pictures_[window.value] = Picture{canvas.Dimensions(), canvas.Pixels()};
  };
  return std::make_unique<MemoryCanvas>(size, keep, tally_);
}

void MemoryDrawing::ApplyLayered(WindowHandle window, Colour key, int alpha, LayeredFlags flags) {
  if (!ui_.WindowExists(window)) return;
  std::lock_guard lock(mutex_);
  layered_[window.value] = LayeredAttributes{true, key, alpha, flags};
  ++layeredChanges_[window.value];
}

LayeredAttributes MemoryDrawing::Layered(WindowHandle window) const {
  if (!ui_.WindowExists(window)) return {};
  std::lock_guard lock(mutex_);
  auto found = layered_.find(window.value);
  return found == layered_.end() ? LayeredAttributes{} : found->second;
}

int MemoryDrawing::LiveObjectCount() const { return tally_->load(); }

std::optional<MemoryDrawing::Picture> MemoryDrawing::WindowPicture(WindowHandle window) const {
  if (!ui_.WindowExists(window)) return std::nullopt;  // its picture went with it
  std::lock_guard lock(mutex_);
  auto found = pictures_.find(window.value);
  if (found == pictures_.end()) return std::nullopt;
  return found->second;
}

int MemoryDrawing::LayeredChanges(WindowHandle window) const {
  std::lock_guard lock(mutex_);
  auto found = layeredChanges_.find(window.value);
  return found == layeredChanges_.end() ? 0 : found->second;
}

}  // namespace zorvane::memory
