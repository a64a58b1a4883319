#include "platform/mixing_sound.h"

#include <array>
#include <mutex>

#include "platform/wave_format.h"

namespace zorvane {

MixingSound::MixingSound(AudioStream& stream, Threads& threads)
    : stream_(stream), threads_(threads), lock_(threads.CreateLock()), played_(threads.CreateSignal()) {}

void MixingSound::Prepare() {
  if (prepared_.exchange(true)) return;
  threads_.StartDetachedThread([this] { stream_.Prepare(); });
}

void MixingSound::PlayClip(std::span<const std::uint8_t> wave) {
  const auto clip = ParseWave(wave);
  if (!clip || !SoundMixer::CanMix(*clip)) return;
  std::lock_guard guard(*lock_);
  mixer_.Add(*clip);
  if (feeding_) {
    played_->Set();
    return;
  }
  feeding_ = true;
  threads_.StartDetachedThread([this] { Feed(); });
}

void MixingSound::Feed() {
  for (;;) {
    const bool opened = stream_.Open(kMixedFormat);
    if (opened) {
      PlayUntilSilence();
      stream_.Close();
    }
    std::lock_guard guard(*lock_);
    if (!opened) mixer_.Clear();  // no output: the plays of the moment are silent
    // A play that came while the stream closed opens it again; otherwise the next play
    // starts a new thread.
    if (mixer_.Silent()) {
      feeding_ = false;
      return;
    }
  }
}

bool MixingSound::MixNext(std::span<std::int16_t> block) {
  std::lock_guard guard(*lock_);
  return mixer_.MixInto(block);
}

void MixingSound::PlayUntilSilence() {
  std::array<std::int16_t, kBlockFrames * kMixedFormat.channels> block{};
  for (;;) {
    if (!MixNext(block)) {
      // Nothing sounds: the stream runs dry, which costs nothing, until a play wakes the
      // thread and is written at once, without silence queued ahead of it.
      if (!played_->WaitFor(kCloseAfterSilenceMs)) return;
      continue;
    }
    if (!stream_.Write(block)) {
      std::lock_guard guard(*lock_);
      mixer_.Clear();
      return;
    }
  }
}

}  // namespace zorvane
