#include "platform/wave_format.h"

#include <cstring>

namespace zorvane {
namespace {

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool TagIs(std::span<const std::uint8_t> bytes, std::size_t at, const char* tag) {
  return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

}  // namespace

std::optional<WaveClip> ParseWave(std::span<const std::uint8_t> image) {
  if (image.size() < 12 || !TagIs(image, 0, "RIFF") || !TagIs(image, 8, "WAVE")) {
    return std::nullopt;
  }
  WaveClip clip;
  bool haveFormat = false;
  bool haveData = false;
  // Chunks follow one another, each an 8-byte header and its body padded to an even size.
  for (std::size_t at = 12; at + 8 <= image.size();) {
    const std::uint32_t size = Read32(image, at + 4);
    const std::size_t body = at + 8;
    if (size > image.size() - body) return std::nullopt;
    if (TagIs(image, at, "fmt ") && size >= 16) {
      clip.formatTag = Read16(image, body);
      clip.channels = Read16(image, body + 2);
      clip.sampleRate = Read32(image, body + 4);
      clip.bytesPerSecond = Read32(image, body + 8);
      clip.blockAlign = Read16(image, body + 12);
      clip.bitsPerSample = Read16(image, body + 14);
      haveFormat = true;
    } else if (TagIs(image, at, "data")) {
      clip.samples = image.subspan(body, size);
      haveData = true;
    }
    at = body + size + (size & 1u);
  }
  if (!haveFormat || !haveData) return std::nullopt;
  return clip;
}

}  // namespace zorvane
