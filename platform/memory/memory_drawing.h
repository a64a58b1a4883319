// Drawing in memory: canvases are MemoryCanvas pixel buffers; a window keeps the last picture
// copied to it (with its window system, as on Windows) and its layered attributes, for tests
// to read back. Windows are those of a MemoryWindowSystem. Every call may come from any
// thread; as on Windows, giving a window the layered style from a worker is a message sent
// to the UI thread (the worker waits), while setting the attributes alone is not.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/drawing.h"
#include "platform/memory/memory_canvas.h"
#include "platform/memory/memory_window_system.h"

namespace zorvane::memory {

class MemoryDrawing : public Drawing {
 public:
  // What a window shows: its last picture, kept by the window system.
  using Picture = CopiedPicture;

  explicit MemoryDrawing(MemoryWindowSystem& ui);

  std::unique_ptr<OffscreenCanvas> CreateOffscreen(WindowHandle window, Size size) override;
  void ApplyLayered(WindowHandle window, Colour key, int alpha, LayeredFlags flags) override;
  bool SetLayeredAttributes(WindowHandle window, Colour key, int alpha,
                            LayeredFlags flags) override;
  LayeredAttributes Layered(WindowHandle window) const override;
  int LiveObjectCount() const override;

  // The last picture copied to the window; nothing before the first copy or once the
  // window is gone.
  std::optional<Picture> WindowPicture(WindowHandle window) const;
  // How often a window's layering was set.
  int LayeredChanges(WindowHandle window) const;

 protected:
  // Hands a finished picture to its window, which keeps it.
  virtual void KeepPicture(WindowHandle window, const MemoryCanvas& canvas);

 private:
  MemoryWindowSystem& ui_;
  ObjectTally tally_ = std::make_shared<std::atomic<int>>(0);
  mutable std::mutex mutex_;
  std::map<std::uintptr_t, LayeredAttributes> layered_;
  std::map<std::uintptr_t, int> layeredChanges_;
};

}  // namespace zorvane::memory
