#include "platform/memory/memory_drawing.h"

namespace zorvane::memory {

MemoryDrawing::MemoryDrawing(MemoryWindowSystem& ui) : ui_(ui) {}

namespace {
// A bitmap this large cannot be had, as the real one fails for a window of absurd size.
constexpr long long kLargestBitmapPixels = 64LL * 1024 * 1024;
}  // namespace

std::unique_ptr<OffscreenCanvas> MemoryDrawing::CreateOffscreen(WindowHandle window, Size size) {
  if (!ui_.WindowExists(window)) return nullptr;
  if (static_cast<long long>(size.width) * size.height > kLargestBitmapPixels) return nullptr;
  auto keep = [this, window](const MemoryCanvas& canvas) { KeepPicture(window, canvas); };
  return std::make_unique<MemoryCanvas>(size, keep, tally_);
}

void MemoryDrawing::ApplyLayered(WindowHandle window, Colour key, int alpha, LayeredFlags flags) {
  ui_.RunOnUiThread([&] {  // the style is the window's: its own thread changes it
    if (!ui_.WindowExists(window)) return;
    std::lock_guard lock(mutex_);
    layered_[window.value] = LayeredAttributes{true, key, alpha, flags};
    ++layeredChanges_[window.value];
  });
}

bool MemoryDrawing::SetLayeredAttributes(WindowHandle window, Colour key, int alpha,
                                         LayeredFlags flags) {
  if (!ui_.WindowExists(window)) return false;
  std::lock_guard lock(mutex_);
  auto found = layered_.find(window.value);
  if (found == layered_.end() || !found->second.layered) return false;
  found->second = LayeredAttributes{true, key, alpha, flags};
  ++layeredChanges_[window.value];
  return true;
}

void MemoryDrawing::KeepPicture(WindowHandle window, const MemoryCanvas& canvas) {
  ui_.Pictures().Keep(window, Picture{canvas.Dimensions(), canvas.Pixels()});
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
  return ui_.Pictures().Find(window);
}

int MemoryDrawing::LayeredChanges(WindowHandle window) const {
  std::lock_guard lock(mutex_);
  auto found = layeredChanges_.find(window.value);
  return found == layeredChanges_.end() ? 0 : found->second;
}

}  // namespace zorvane::memory
