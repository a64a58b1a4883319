// Every clip that sounds at one moment, mixed into one stream of 16-bit stereo samples at
// 44100 Hz: the clips add up, the sum saturates instead of wrapping, and a clip of another
// rate is brought to the stream's rate exactly (22050 Hz clips last as long as they did).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/wave_format.h"

namespace zorvane {

struct StreamFormat {
  std::uint32_t sampleRate;
  std::uint16_t channels;  // samples of one frame, interleaved
};
inline constexpr StreamFormat kMixedFormat{44100, 2};

class SoundMixer {
 public:
  // Whether a clip of this format can be mixed: 16-bit PCM, mono or stereo, any rate.
  static bool CanMix(const WaveClip& clip);
  // The clip starts with the next frame mixed and plays once, to its end. The samples are
  // read where they are (the clip's memory must outlive the play). A clip that cannot be
  // mixed is left out.
  void Add(const WaveClip& clip);
  // Fills `block` (whole frames) with the next frames of every clip, silence where none
  // sounds. Returns whether any clip sounded in it.
  bool MixInto(std::span<std::int16_t> block);
  bool Silent() const { return voices_.empty(); }
  // Every clip stops (the output has gone).
  void Clear() { voices_.clear(); }

  // How many frames of the stream a clip of `frames` frames at `rate` lasts.
  static std::uint64_t MixedLength(std::uint64_t frames, std::uint32_t rate);

 private:
  struct Voice {
    std::span<const std::uint8_t> samples;  // 16-bit little-endian, interleaved
    std::uint32_t rate;
    std::uint16_t channels;
    std::uint64_t frames;    // of the clip
    std::uint64_t length;    // in stream frames
    std::uint64_t next = 0;  // the next stream frame to mix
  };
  // The clip's sample of `channel` at stream frame `frame`, linearly interpolated between
  // the two clip frames it lies between.
  static std::int32_t SampleAt(const Voice& voice, std::uint64_t frame, std::uint16_t channel);

  std::vector<Voice> voices_;
};

}  // namespace zorvane
