// The mixed sound on one wave-out stream of winmm, which is loaded when the stream is first
// prepared or opened rather than at the program's start: buffers of 5 ms each,
// refilled as the device plays them, signalled through one event. Preparing also opens and
// closes a device once, which starts the system's audio for the process.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <optional>
#include <vector>

#include "platform/audio_stream.h"
#include "platform/win32/audio_thread_priority.h"
#include "platform/win32/scoped.h"

namespace zorvane::win32 {

class Win32AudioStream final : public AudioStream {
 public:
  Win32AudioStream() = default;
  Win32AudioStream(const Win32AudioStream&) = delete;
  Win32AudioStream& operator=(const Win32AudioStream&) = delete;
  ~Win32AudioStream() override { Close(); }

  void Prepare() override;
  bool Open(StreamFormat format) override;
  bool WaitForRoom() override;
  bool Write(std::span<const std::int16_t> block) override;
  void Close() override;

 private:
  struct Buffer {
    WAVEHDR header{};
    std::vector<std::int16_t> samples;
    bool prepared = false;
    bool Queued() const { return (header.dwFlags & WHDR_INQUEUE) != 0; }
  };
  // Waits, as the device plays its buffers, until `done` holds; false when the device has
  // stopped answering.
  template <typename Done>
  bool WaitUntil(Done done) const;

  // While the stream is open, the thread that feeds it (the one that opened it) runs at
  // the priority of sound.
  std::optional<AudioThreadPriority> priority_;
  ScopedHandle played_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  HWAVEOUT device_ = nullptr;
  std::array<Buffer, kQueuedBlocks> buffers_;
};

}  // namespace zorvane::win32
