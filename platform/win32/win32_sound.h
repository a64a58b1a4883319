// Sound on the wave-out device: each play opens its own device, so plays overlap; a small
// thread waits for the end of each play and then releases its buffer and device.
#pragma once

#include "platform/sound.h"

namespace zorvane::win32 {

class Win32Sound final : public Sound {
 public:
  void PlayClip(std::span<const std::uint8_t> wave) override;
};

}  // namespace zorvane::win32
