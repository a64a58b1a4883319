// The last picture copied to each window, kept by the window system in memory as the real
// one keeps it for repainting: from the window's creation until its destruction. Redraws
// store pictures from worker threads; tests read them back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "platform/geometry.h"
#include "platform/window_system.h"

namespace zorvane::memory {

// A window's picture, row by row from the top left.
struct CopiedPicture {
  Size size;
  std::vector<Colour> pixels;
  Colour Pixel(int x, int y) const {
    return pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) +
                     static_cast<std::size_t>(x));
  }
};

class MemoryKeptPictures {
 public:
  // Keeps the picture as the window's, unless the window is gone.
  void Keep(WindowHandle window, CopiedPicture picture);
  std::optional<CopiedPicture> Find(WindowHandle window) const;
  // The window is being destroyed: its picture goes with it, and none is kept for it any
  // more.
  void Forget(WindowHandle window);
  // How many pictures are kept, for tests to see that none outlives its window.
  std::size_t Count() const;

 private:
  mutable std::mutex mutex_;
  std::map<std::uintptr_t, CopiedPicture> pictures_;
  std::set<std::uintptr_t> forgotten_;  // handles are never used again here
};

}  // namespace zorvane::memory
