// The twin's drawing on a loaded machine: every copy of a picture to a window takes a set
// time of the clock's, so a picture drawn on the UI thread keeps it busy that long while the
// workers go on.
#pragma once

#include <atomic>

#include "platform/memory/memory_drawing.h"
#include "platform/memory/twin_clock.h"

namespace zorvane::support {

class TimedDrawing final : public memory::MemoryDrawing {
 public:
  using MemoryDrawing::MemoryDrawing;

  // From now on each copy takes `milliseconds` of `clock`'s time; 0 makes drawing free.
  void SetDrawingTime(memory::TwinClock& clock, int milliseconds) {
    clock_.store(&clock);
    drawingTime_.store(milliseconds);
  }

 protected:
  void KeepPicture(WindowHandle window, const memory::MemoryCanvas& canvas) override {
    if (memory::TwinClock* clock = clock_.load(); clock != nullptr && drawingTime_.load() > 0) {
      clock->Spend(drawingTime_.load());
    }
    MemoryDrawing::KeepPicture(window, canvas);
  }

 private:
  std::atomic<memory::TwinClock*> clock_{nullptr};
  std::atomic<int> drawingTime_{0};
};

}  // namespace zorvane::support
