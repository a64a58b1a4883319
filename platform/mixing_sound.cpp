#include "platform/mixing_sound.h"

#include <array>
#include <mutex>

#include "platform/wave_format.h"

namespace zorvane {

MixingSound::MixingSound(AudioStream& stream, Threads& threads)
    : stream_(stream), threads_(threads), lock_(threads.CreateLock()) {}

void MixingSound::Prepare() {
  if (prepared_.exchange(true)) return;
  threads_.StartDetachedThread([this] { stream_.Prepare(); });
}

void MixingSound::PlayClip(std::span<const std::uint8_t> wave) {
  const auto clip = ParseWave(wave);
  if (!clip || !SoundMixer::CanMix(*clip)) return;
  std::lock_guard guard(*lock_);
  mixer_.Add(*clip);
  if (!feeding_) StartFeeding();
}

void MixingSound::OpenAhead() {
  std::lock_guard guard(*lock_);
  leadInBlocks_ = kLeadInBlocks;
  if (!feeding_) StartFeeding();
}

void MixingSound::StartFeeding() {
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
    if (!opened) {  // no output: the plays of the moment are silent
      mixer_.Clear();
      leadInBlocks_ = 0;
    }
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
  if (mixer_.MixInto(block)) return true;
  // A lead-in counts as sound: the stream does not start closing during it.
  if (leadInBlocks_ == 0) return false;
  --leadInBlocks_;
  return true;
}

void MixingSound::PlayUntilSilence() {
  std::array<std::int16_t, kBlockFrames * kMixedFormat.channels> block{};
  constexpr std::size_t kSilentBlocksBeforeClosing =
      kCloseAfterSilenceMs * kMixedFormat.sampleRate / 1000 / kBlockFrames;
  std::size_t silentBlocks = 0;
  for (;;) {
    if (!stream_.WaitForRoom()) break;
    // Between sounds the stream plays silence rather than run dry: an output that ran dry
    // stutters when it starts again, as a new one does, and cuts the next sound in two.
    if (MixNext(block)) {
      silentBlocks = 0;
    } else if (++silentBlocks > kSilentBlocksBeforeClosing) {
      return;
    }
    if (!stream_.Write(block)) break;
  }
  // The output has failed: what was playing is lost.
  std::lock_guard guard(*lock_);
  mixer_.Clear();
  leadInBlocks_ = 0;
}

}  // namespace zorvane
