// Reads the header of a RIFF/WAVE image: its format and where its samples are.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace zorvane {

struct WaveClip {
  std::uint16_t formatTag = 0;  // 1: PCM
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t bytesPerSecond = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::span<const std::uint8_t> samples;
};

// Nothing when the image is not a RIFF/WAVE with a format chunk and a data chunk, or when a
// chunk claims more bytes than the image holds.
std::optional<WaveClip> ParseWave(std::span<const std::uint8_t> image);

}  // namespace zorvane
