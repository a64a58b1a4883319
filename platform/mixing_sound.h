// Sound through one mixing output stream: every play is mixed into the same stream, which is
// opened at a play (or ahead of one), kept playing while sounds overlap or follow within a
// second or so, closed after a longer silence and opened again at the next play. A thread
// of its own feeds the stream while it is open, at the priority of sound.
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
  // Frames mixed at a time: about 5 ms, so that the few blocks queued (audio_stream.h)
  // hold some 20 ms.
  static constexpr std::size_t kBlockFrames = 220;
  // How long the stream stays open with nothing to play: longer than the second between
  // two clicks of the warning ticker, so the stream opens once for all of them. An open
  // stream costs the system's sound driver and the sound server some 3 % of a core even
  // while it is silent (measured under Wine), but a stream opened afresh for each click cut
  // most clicks in two on a busy machine (its first moments stutter; see OpenAhead).
  static constexpr int kCloseAfterSilenceMs = 1500;

  // How much silence a stream opened ahead plays first, some 100 ms: the stutter of a
  // freshly started output (a few samples, then some 30 ms of nothing, under Wine on a busy
  // machine) passes in it, unheard.
  static constexpr int kLeadInBlocks = 20;

  MixingSound(AudioStream& stream, Threads& threads);

  void PlayClip(std::span<const std::uint8_t> wave) override;
  // Once: what it readies stays ready.
  void Prepare() override;
  void OpenAhead() override;

 private:
  // Starts the feeding thread unless it runs; under the lock.
  void StartFeeding();
  // The feeding thread: opens the stream, plays until silence lasts, closes, and ends
  // when no play has come meanwhile. With no output the plays of the moment are silent,
  // and the next play tries again.
  void Feed();
  // Writes mixed blocks until silence has lasted kCloseAfterSilenceMs or the output fails.
  void PlayUntilSilence();
  // Mixes the next block; false when there is nothing to write (nothing sounds, and no
  // lead-in of silence is owed).
  bool MixNext(std::span<std::int16_t> block);

  AudioStream& stream_;
  Threads& threads_;
  // Guards the mixer, `feeding_` and `leadInBlocks_`; held only while mixing one block or
  // adding a play.
  const std::unique_ptr<Lock> lock_;
  SoundMixer mixer_;
  bool feeding_ = false;  // a feeding thread runs, and will see every play added
  int leadInBlocks_ = 0;  // silent blocks still to write ahead of a play
  std::atomic<bool> prepared_ = false;
};

}  // namespace zorvane
