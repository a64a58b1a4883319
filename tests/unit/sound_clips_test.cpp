// The two clips are complete RIFF/WAVE images in their exact formats, they sound, and a
// damaged image is refused rather than read past its end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/wave_format.h"
#include "resources/sounds.h"

namespace zorvane {
namespace {

std::uint32_t RiffSize(std::span<const std::uint8_t> image) {
  return image[4] | image[5] << 8 | image[6] << 16 | static_cast<std::uint32_t>(image[7]) << 24;
}

// The largest sample magnitude within a stretch of the clip, in 16-bit units.
int Peak(const WaveClip& clip, double fromSeconds, double toSeconds) {
  const auto first = static_cast<std::size_t>(fromSeconds * clip.sampleRate) * clip.blockAlign;
  const auto last = std::min(clip.samples.size(),
                             static_cast<std::size_t>(toSeconds * clip.sampleRate) * clip.blockAlign);
  int peak = 0;
  for (std::size_t at = first; at + 1 < last; at += 2) {
    const auto sample = static_cast<std::int16_t>(clip.samples[at] | clip.samples[at + 1] << 8);
    peak = std::max(peak, std::abs(static_cast<int>(sample)));
  }
  return peak;
}

TEST(SoundClips, AlarmIsTwoSecondsOfStereoAt22050Hz) {
  const auto clip = ParseWave(sounds::AlarmClip);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(clip->formatTag, 1);
  EXPECT_EQ(clip->channels, 2);
  EXPECT_EQ(clip->sampleRate, 22050u);
  EXPECT_EQ(clip->bytesPerSecond, 88200u);
  EXPECT_EQ(clip->blockAlign, 4);
  EXPECT_EQ(clip->bitsPerSample, 16);
  EXPECT_EQ(clip->samples.size(), 180000u);
  EXPECT_EQ(RiffSize(sounds::AlarmClip), 180036u);
  EXPECT_EQ(sounds::AlarmClip.size(), 180044u);  // nothing after the data
  EXPECT_GT(Peak(*clip, 0.0, 0.5), 8000);       // clearly audible
  EXPECT_GT(Peak(*clip, 1.0, 1.5), 8000);       // the second round
  EXPECT_LT(Peak(*clip, 2.039, 2.05), 200);     // ends without a click
}

TEST(SoundClips, TickIsAShortClickAt44100Hz) {
  const auto clip = ParseWave(sounds::TickClip);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(clip->formatTag, 1);
  EXPECT_EQ(clip->channels, 2);
  EXPECT_EQ(clip->sampleRate, 44100u);
  EXPECT_EQ(clip->bytesPerSecond, 176400u);
  EXPECT_EQ(clip->blockAlign, 4);
  EXPECT_EQ(clip->bitsPerSample, 16);
  EXPECT_EQ(clip->samples.size(), 28224u);
  EXPECT_EQ(RiffSize(sounds::TickClip), 28260u);
  EXPECT_GT(Peak(*clip, 0.0, 0.02), 8000);
  EXPECT_LT(Peak(*clip, 0.1, 0.16), 200);  // the click is over long before the next
}

TEST(WaveFormat, DamagedImagesAreRefused) {
  const std::vector<std::uint8_t> good(sounds::TickClip.begin(), sounds::TickClip.end());
  EXPECT_FALSE(ParseWave(std::span(good).first(11)).has_value());
  EXPECT_FALSE(ParseWave(std::span(good).first(100)).has_value());  // data chunk cut short
  std::vector<std::uint8_t> notRiff = good;
  notRiff[0] = 'X';
  EXPECT_FALSE(ParseWave(notRiff).has_value());
  std::vector<std::uint8_t> hugeChunk = good;
  hugeChunk[16] = 0xFF;  // "fmt " claims more than the image holds
  hugeChunk[19] = 0x7F;
  EXPECT_FALSE(ParseWave(hugeChunk).has_value());
  std::vector<std::uint8_t> noData(good.begin(), good.begin() + 36);
  EXPECT_FALSE(ParseWave(noData).has_value());
}

}  // namespace
}  // namespace zorvane
