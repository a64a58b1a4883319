// The twin's output stream with a device that goes away in the middle of a sound.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "platform/memory/memory_audio_stream.h"

namespace zorvane::support {

class FaultyAudioStream final : public memory::MemoryAudioStream {
 public:
  using MemoryAudioStream::MemoryAudioStream;

  // The next write fails (the device has gone), once.
  void FailNextWrite() { failNext_.store(true); }

  bool Write(std::span<const std::int16_t> block) override {
    if (!failNext_.exchange(false)) return MemoryAudioStream::Write(block);
    WaitForRoom();  // the writer still waits its turn before it learns
    return false;
  }

 private:
  std::atomic<bool> failNext_{false};
};

}  // namespace zorvane::support
