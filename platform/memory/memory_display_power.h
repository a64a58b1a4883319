// The display's power in memory: it notes whether the display is kept awake, for tests to
// read. As on Windows the request belongs to the thread that makes it, and one made by a
// worker would end with it: that is taken for the programming error it is.
#pragma once

#include <atomic>
#include <stdexcept>
#include <thread>

#include "platform/display_power.h"

namespace zorvane::memory {

class MemoryDisplayPower final : public DisplayPower {
 public:
  void KeepAwake(bool awake) override {
    if (std::this_thread::get_id() != uiThread_) {
      throw std::logic_error("the display was kept awake from a worker, whose request ends with it");
    }
    awake_.store(awake);
  }
  bool KeptAwake() const { return awake_.load(); }

 private:
  const std::thread::id uiThread_ = std::this_thread::get_id();
  std::atomic<bool> awake_{false};
};

}  // namespace zorvane::memory
