// Sound through one mixing output stream: every play is mixed into the same stream, which is
// opened at a play, kept open while sounds overlap or follow at once, closed after a short
// silence and opened again at the next play. A short-lived thread of its own feeds the
// stream while it is open.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/audio_stream.h"
#include "platform/sound.h"
#include "platform/sound_mixer.h"
#include "platform/threads.h"

namespace zorvane {

class MixingSound final : public Sound {
 public:
  // Frames mixed at a time: about 8 ms.
  static constexpr std::size_t kBlockFrames = 352;
  // How long the stream stays open with nothing to play. An open stream costs the system's
  // sound driver and the sound server some 3 % of a core even while it is silent (measured
  // under Wine: the driver's timer and main-loop threads, and the server mixing the
  // stream), while opening one again takes a few milliseconds once the output is prepared.
  // So the stream closes as soon as a short silence shows that no sound follows at once,
  // and each click opens it afresh.
  static constexpr int kCloseAfterSilenceMs = 50;

  MixingSound(AudioStream& stream, Threads& threads);

  void PlayClip(std::span<const std::uint8_t> wave) override;
  // Once: what it readies stays ready.
  void Prepare() override;

 private:
  // The feeding thread: opens the stream, plays until silence lasts, closes, and ends
  // when no play has come meanwhile. With no output the plays of the moment are silent,
  // and the next play tries again.
  void Feed();
  // Writes mixed blocks until silence has lasted kCloseAfterSilenceMs or the output fails.
  void PlayUntilSilence();
  bool MixNext(std::span<std::int16_t> block);

  AudioStream& stream_;
  Threads& threads_;
  // Guards the mixer and `feeding_`; held only while mixing one block or adding a play.
  const std::unique_ptr<Lock> lock_;
  // Wakes the thread from a silence when a play comes.
  const std::unique_ptr<Signal> played_;
  SoundMixer mixer_;
  bool feeding_ = false;  // a feeding thread runs, and will see every play added
  std::atomic<bool> prepared_ = false;
};

}  // namespace zorvane
