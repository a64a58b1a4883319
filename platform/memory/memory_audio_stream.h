// An output stream in memory, on the twin's clock: it keeps every frame written with the
// moment the frame sounds, counts its opens and closes, and can be told to have no device.
// A block takes as long to play as it would on a sound card, and the stream holds a few
// blocks queued, like a real one.
#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "platform/audio_stream.h"
#include "platform/memory/twin_clock.h"

namespace zorvane::memory {

class MemoryAudioStream : public AudioStream {
 public:
  // A device takes a moment to close, even when it has nothing left to play.
  static constexpr int kCloseMs = 10;

  explicit MemoryAudioStream(TwinClock& clock) : clock_(clock) {}

  void Prepare() override;
  bool Open(StreamFormat format) override;
  bool WaitForRoom() override;
  bool Write(std::span<const std::int16_t> block) override;
  void Close() override;

  // The next opens fail (no device) while this holds.
  void SetAvailable(bool available);

  struct Sounded {
    std::int64_t atMs;  // virtual time the block starts sounding
    std::vector<std::int16_t> samples;
    int open;  // which opening of the stream carried it, from 0
  };
  std::vector<Sounded> Blocks() const;
  // Every frame written since the stream was opened the `open`-th time (from 0), in order.
  std::vector<std::int16_t> SamplesOfOpen(int open) const;
  int Opens() const;
  int Closes() const;
  int Prepares() const;
  bool IsOpen() const;
  bool IsClosing() const;

 private:
  template <typename T>
  T Locked(const T& field) const {
    std::lock_guard guard(mutex_);
    return field;
  }

  TwinClock& clock_;
  mutable std::mutex mutex_;
  StreamFormat format_{};
  bool available_ = true;
  bool open_ = false;
  bool closing_ = false;
  int opens_ = 0;
  int closes_ = 0;
  int prepares_ = 0;
  // How long, in milliseconds of virtual time, until what is queued fits in all the buffers
  // but one, so that one more block can be queued at once.
  std::int64_t MsUntilRoom() const;

  // When what is queued so far has played, in microseconds of virtual time.
  std::int64_t playedByUs_ = 0;
  std::int64_t blockUs_ = 0;  // how long the last block written lasts
  std::vector<Sounded> blocks_;
};

}  // namespace zorvane::memory
