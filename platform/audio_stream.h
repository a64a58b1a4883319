// One output stream of sound: opened in a format, fed blocks of samples, closed. Only the
// mixing sound's own thread uses it.
#pragma once

#include <cstdint>
#include <span>

#include "platform/sound_mixer.h"

namespace zorvane {

// How many blocks a stream holds queued: some 64 ms, enough to ride out a busy moment of
// the machine without a gap. A play into a silent stream still starts at once; only a play
// that overlaps another waits behind what is queued.
inline constexpr int kQueuedBlocks = 8;

class AudioStream {
 public:
  virtual ~AudioStream() = default;

  // Gets whatever the stream needs ready (a library to load, the system's audio started),
  // so that every open is quick. May run on any thread, once, before or beside an Open.
  virtual void Prepare() {}
  // False when there is no output (no device, or none for this format).
  virtual bool Open(StreamFormat format) = 0;
  // Queues a block of whole frames and returns once it is queued: while the stream's few
  // buffers are all queued, it waits for the oldest to have played. False when the output
  // has failed.
  virtual bool Write(std::span<const std::int16_t> block) = 0;
  // Lets what is queued play out, then closes.
  virtual void Close() = 0;
};

}  // namespace zorvane
