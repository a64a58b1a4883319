// One output stream of sound: opened in a format, fed blocks of samples, closed. Only the
// mixing sound's own thread uses it.
#pragma once

#include <cstdint>
#include <span>

#include "platform/sound_mixer.h"

namespace zorvane {

// How many blocks a stream holds queued: some 20 ms. A play waits behind what is queued (the
// alarm at zero while a click still sounds, or silence between sounds), so the queue is
// short, and the thread that feeds it runs at the priority of sound so that a busy machine
// does not starve it.
inline constexpr int kQueuedBlocks = 4;

class AudioStream {
 public:
  virtual ~AudioStream() = default;

  // Gets whatever the stream needs ready (a library to load, the system's audio started),
  // so that every open is quick. May run on any thread, once, before or beside an Open.
  virtual void Prepare() {}
  // False when there is no output (no device, or none for this format).
  virtual bool Open(StreamFormat format) = 0;
  // Returns once one more block can be queued at once: while the stream's few buffers are
  // all queued, it waits for the oldest to have played. False when the output has failed.
  // The mixing waits here before it mixes, so a play that comes meanwhile is in the very
  // next block queued.
  virtual bool WaitForRoom() = 0;
  // Queues a block of whole frames and returns once it is queued (waiting for room first,
  // as WaitForRoom does, when there is none). False when the output has failed.
  virtual bool Write(std::span<const std::int16_t> block) = 0;
  // Lets what is queued play out, then closes.
  virtual void Close() = 0;
};

}  // namespace zorvane
