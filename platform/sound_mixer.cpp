#include "platform/sound_mixer.h"

#include <algorithm>
#include <limits>

namespace zorvane {
namespace {

constexpr std::uint16_t kPcm = 1;

std::int32_t Read16(std::span<const std::uint8_t> samples, std::uint64_t index) {
  const std::size_t at = static_cast<std::size_t>(index) * 2;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(samples[at] | samples[at + 1] << 8));
}

std::int16_t Saturated(std::int32_t sum) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(
      sum, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

bool SoundMixer::CanMix(const WaveClip& clip) {
  return clip.formatTag == kPcm && clip.bitsPerSample == 16 &&
         (clip.channels == 1 || clip.channels == 2) && clip.sampleRate > 0;
}

std::uint64_t SoundMixer::MixedLength(std::uint64_t frames, std::uint32_t rate) {
  // Rounded up, so that a clip is never cut short by a part of a frame.
  return (frames * kMixedFormat.sampleRate + rate - 1) / rate;
}

void SoundMixer::Add(const WaveClip& clip) {
  if (!CanMix(clip)) return;
  const std::uint64_t frames = clip.samples.size() / (2u * clip.channels);
  if (frames == 0) return;
  voices_.push_back({clip.samples, clip.sampleRate, clip.channels, frames,
                     MixedLength(frames, clip.sampleRate)});
}

std::int32_t SoundMixer::SampleAt(const Voice& voice, std::uint64_t frame, std::uint16_t channel) {
  // The stream frame lies at clip frame `frame * rate / 44100`: whole part and remainder,
  // in integers, so no rounding drifts over a long clip.
  const std::uint64_t position = frame * voice.rate;
  const std::uint64_t first = position / kMixedFormat.sampleRate;
  const std::uint64_t remainder = position % kMixedFormat.sampleRate;
  const std::uint16_t source = voice.channels == 1 ? 0 : channel;
  const std::int32_t a = Read16(voice.samples, first * voice.channels + source);
  if (remainder == 0 || first + 1 >= voice.frames) return a;
  const std::int32_t b = Read16(voice.samples, (first + 1) * voice.channels + source);
  return a + static_cast<std::int32_t>((static_cast<std::int64_t>(b - a) *
                                        static_cast<std::int64_t>(remainder)) /
                                       kMixedFormat.sampleRate);
}

bool SoundMixer::MixInto(std::span<std::int16_t> block) {
  const bool sounding = !voices_.empty();
  const std::size_t frames = block.size() / kMixedFormat.channels;
  for (std::size_t f = 0; f < frames; ++f) {
    for (std::uint16_t channel = 0; channel < kMixedFormat.channels; ++channel) {
      std::int32_t sum = 0;
      for (const Voice& voice : voices_) {
        if (voice.next + f < voice.length) sum += SampleAt(voice, voice.next + f, channel);
      }
      block[f * kMixedFormat.channels + channel] = Saturated(sum);
    }
  }
  for (Voice& voice : voices_) voice.next += frames;
  std::erase_if(voices_, [](const Voice& voice) { return voice.next >= voice.length; });
  return sounding;
}

}  // namespace zorvane
