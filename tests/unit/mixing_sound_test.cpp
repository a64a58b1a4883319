// Every play through one mixing stream: clips that overlap add up and saturate, the 22050 Hz
// alarm is brought to the stream's rate exactly, and the stream opens at a play, stays open
// while sounds overlap or follow at once, closes after a short silence and opens again at
// the next play. No device, or one that fails, means silence now and a new try at the next
// play.
#include "platform/mixing_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "tests/support/faulty_audio_stream.h"
#include "tests/support/virtual_scheduler.h"
#include "resources/sounds.h"

namespace zorvane {
namespace {

// A RIFF/WAVE image of 16-bit PCM samples.
std::vector<std::uint8_t> Wave(std::uint32_t rate, std::uint16_t channels,
                               const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> image;
  const auto put16 = [&](std::uint32_t v) {
    image.push_back(static_cast<std::uint8_t>(v));
    image.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  const auto put32 = [&](std::uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  const auto tag = [&](std::string_view t) {
    for (char c : t) image.push_back(static_cast<std::uint8_t>(c));
  };
  const auto data = static_cast<std::uint32_t>(samples.size() * 2);
  tag("RIFF");
  put32(36 + data);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);
  put16(channels);
  put32(rate);
  put32(rate * channels * 2);
  put16(channels * 2u);
  put16(16);
  tag("data");
  put32(data);
  for (std::int16_t s : samples) put16(static_cast<std::uint16_t>(s));
  return image;
}

WaveClip Clip(const std::vector<std::uint8_t>& image) { return ParseWave(image).value(); }

std::vector<std::int16_t> Mixed(SoundMixer& mixer, std::size_t frames) {
  std::vector<std::int16_t> block(frames * kMixedFormat.channels);
  mixer.MixInto(block);
  return block;
}

TEST(SoundMixer, OverlappingClipsAddUpAndSaturate) {
  const auto low = Wave(44100, 2, {1000, -1000, 1000, -1000});
  const auto loud = Wave(44100, 2, {32000, -32000, 32000, -32000, 32000, -32000});
  SoundMixer mixer;
  mixer.Add(Clip(low));
  EXPECT_EQ(Mixed(mixer, 1), (std::vector<std::int16_t>{1000, -1000}));
  mixer.Add(Clip(loud));  // starts with the next frame, beside the first clip's last
  EXPECT_EQ(Mixed(mixer, 3),
            (std::vector<std::int16_t>{32767, -32768, 32000, -32000, 32000, -32000}));
  EXPECT_TRUE(mixer.Silent());  // each played once, to its end
  EXPECT_EQ(Mixed(mixer, 1), (std::vector<std::int16_t>{0, 0}));
}

TEST(SoundMixer, HalfTheRateLastsExactlyTwiceTheFramesInterpolated) {
  const auto clip = Wave(22050, 1, {0, 100, -100});
  SoundMixer mixer;
  mixer.Add(Clip(clip));
  // Mono goes to both channels; the frames between the clip's lie halfway.
  EXPECT_EQ(Mixed(mixer, 6), (std::vector<std::int16_t>{0, 0, 50, 50, 100, 100, 0, 0, -100,
                                                        -100, -100, -100}));
  EXPECT_TRUE(mixer.Silent());

  const auto alarm = ParseWave(sounds::AlarmClip).value();
  EXPECT_EQ(SoundMixer::MixedLength(alarm.samples.size() / 4, alarm.sampleRate), 90000u);
  EXPECT_EQ(SoundMixer::MixedLength(7, 32000), 10u);  // a partial frame is not cut off
}

TEST(SoundMixer, LeavesOutWhatItCannotMix) {
  auto eightBit = Wave(44100, 1, {1, 2});
  eightBit[34] = 8;  // bits per sample
  SoundMixer mixer;
  mixer.Add(Clip(eightBit));
  mixer.Add(Clip(Wave(44100, 2, {})));
  EXPECT_TRUE(mixer.Silent());
}

class MixingSoundTest : public ::testing::Test {
 protected:
  ~MixingSoundTest() override { scheduler.EndAllWorkers(); }
  std::vector<std::int16_t> Heard(int open) const { return stream.SamplesOfOpen(open); }
  // How many samples of the blip the stream's `open`-th opening carried.
  std::ptrdiff_t BlipSamplesHeard(int open) const {
    const std::vector<std::int16_t> heard = Heard(open);
    return std::count(heard.begin(), heard.end(), 700);
  }
  // Plays the blip and lets time pass until all of it is written to the stream: from then
  // on the stream is open and silent.
  void PlayTheBlipToItsEnd() {
    sound.PlayClip(blip);
    while (BlipSamplesHeard(stream.Opens() - 1) < 4410 && scheduler.Now() < 10000) {
      scheduler.AdvanceBy(1);
    }
  }

  support::VirtualScheduler scheduler;
  support::FaultyAudioStream stream{scheduler};
  MixingSound sound{stream, scheduler};
  const std::vector<std::uint8_t> blip = Wave(44100, 2, std::vector<std::int16_t>(4410, 700));
};

TEST_F(MixingSoundTest, OneStreamCarriesOverlappingPlaysFromStartToEnd) {
  sound.PlayClip(sounds::TickClip);
  scheduler.AdvanceBy(50);
  sound.PlayClip(blip);  // while the click still sounds
  scheduler.AdvanceBy(1000 + MixingSound::kCloseAfterSilenceMs);
  EXPECT_EQ(stream.Opens(), 1);
  EXPECT_EQ(stream.Closes(), 1);  // once both had played

  const WaveClip tick = ParseWave(sounds::TickClip).value();
  const std::vector<std::int16_t> heard = Heard(0);
  ASSERT_GE(heard.size(), tick.samples.size() / 2);
  // The click from its first sample, whole; the blip mixed in from the next block on.
  std::size_t blipFrom = heard.size();
  for (std::size_t i = 0; i < tick.samples.size() / 2; ++i) {
    const auto clickSample = static_cast<std::int16_t>(tick.samples[2 * i] | tick.samples[2 * i + 1] << 8);
    if (heard[i] != clickSample) {
      blipFrom = std::min(blipFrom, i);
      EXPECT_EQ(heard[i], std::clamp(clickSample + 700, -32768, 32767)) << i;
    }
  }
  EXPECT_EQ(blipFrom % (MixingSound::kBlockFrames * 2), 0u);
  // Behind what was queued when it came, which is never more than 20 ms: the alarm at zero
  // comes with its tick even when a click still sounds.
  EXPECT_LE(blipFrom / 2, 44100u * (50 + 20) / 1000);
}

TEST_F(MixingSoundTest, APlayAfterASilenceSoundsWithinMilliseconds) {
  sound.PlayClip(blip);
  scheduler.AdvanceBy(MixingSound::kCloseAfterSilenceMs + 500);  // played, and closed
  const std::size_t before = stream.Blocks().size();
  const std::int64_t played = scheduler.Now();
  sound.PlayClip(blip);
  scheduler.AdvanceBy(200);
  const auto blocks = stream.Blocks();
  ASSERT_GT(blocks.size(), before);
  // Opened again and written at once: no silence queued ahead of the sound.
  EXPECT_LE(blocks[before].atMs - played, 1);
  EXPECT_EQ(blocks[before].samples[0], 700);
  EXPECT_EQ(stream.Opens(), 2);
}

TEST_F(MixingSoundTest, TheStreamClosesAfterSilenceAndOpensAgainAtTheNextPlay) {
  PlayTheBlipToItsEnd();
  scheduler.AdvanceBy(MixingSound::kCloseAfterSilenceMs - 10);
  EXPECT_TRUE(stream.IsOpen());  // a shorter silence keeps it
  EXPECT_FALSE(stream.IsClosing());
  scheduler.AdvanceBy(400);
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(stream.Closes(), 1);
  EXPECT_EQ(scheduler.LiveWorkerCount(), 0);  // and its thread has ended

  sound.PlayClip(blip);
  scheduler.AdvanceBy(200);
  EXPECT_EQ(stream.Opens(), 2);
  ASSERT_FALSE(Heard(1).empty());
  EXPECT_EQ(Heard(1)[0], 700);
}

TEST_F(MixingSoundTest, AStreamOpenedAheadPlaysSilenceUntilThePlayAndNeverRunsDry) {
  sound.OpenAhead();
  scheduler.AdvanceBy(1000);
  EXPECT_TRUE(stream.IsOpen());
  const std::int64_t played = scheduler.Now();
  sound.PlayClip(blip);
  scheduler.AdvanceBy(200);
  EXPECT_EQ(stream.Opens(), 1);
  EXPECT_EQ(BlipSamplesHeard(0), 4410);
  const auto blocks = stream.Blocks();
  // Each block sounds as the one before ends: no gap for the device to start again after.
  const auto blockMs = static_cast<std::int64_t>(MixingSound::kBlockFrames * 1000 / 44100 + 1);
  for (std::size_t i = 1; i < blocks.size(); ++i) {
    EXPECT_LE(blocks[i].atMs - blocks[i - 1].atMs, blockMs) << i;
  }
  // The play comes in behind no more than 20 ms of the silence queued.
  const auto first = std::ranges::find_if(blocks, [](const auto& b) { return b.samples[0] == 700; });
  ASSERT_NE(first, blocks.end());
  EXPECT_LE(first->atMs - played, 20);
}

TEST_F(MixingSoundTest, APlayWhileTheStreamClosesOpensItAgain) {
  sound.PlayClip(blip);
  while (!stream.IsClosing() && scheduler.Now() < 10000) scheduler.AdvanceBy(1);
  ASSERT_TRUE(stream.IsClosing());
  sound.PlayClip(blip);
  scheduler.AdvanceBy(300);
  EXPECT_EQ(stream.Opens(), 2);
  EXPECT_EQ(BlipSamplesHeard(1), 4410);
}

TEST_F(MixingSoundTest, NoDeviceIsSilenceAndTheNextPlayTriesAgain) {
  stream.SetAvailable(false);
  sound.PlayClip(blip);
  scheduler.AdvanceBy(500);
  EXPECT_EQ(stream.Opens(), 0);
  EXPECT_EQ(scheduler.LiveWorkerCount(), 0);

  stream.SetAvailable(true);
  sound.PlayClip(blip);
  scheduler.AdvanceBy(500);
  EXPECT_EQ(stream.Opens(), 1);
  // Only the second play is heard: the first found no device and is gone.
  EXPECT_EQ(BlipSamplesHeard(0), 4410);
}

TEST_F(MixingSoundTest, AFailingDeviceIsClosedAndOpenedAgainAtTheNextPlay) {
  const auto half_second = Wave(44100, 2, std::vector<std::int16_t>(44100, 300));
  sound.PlayClip(half_second);
  scheduler.AdvanceBy(100);
  stream.FailNextWrite();
  scheduler.AdvanceBy(200);
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(scheduler.LiveWorkerCount(), 0);

  sound.PlayClip(blip);
  scheduler.AdvanceBy(300);
  EXPECT_EQ(stream.Opens(), 2);
  EXPECT_EQ(BlipSamplesHeard(1), 4410);  // the whole of it
}

TEST_F(MixingSoundTest, PreparingGetsTheStreamReadyOffTheCallingThreadOnce) {
  sound.Prepare();
  EXPECT_EQ(stream.Prepares(), 0);
  scheduler.RunUntilIdle();
  EXPECT_EQ(stream.Prepares(), 1);
  sound.Prepare();  // every countdown's start asks again
  scheduler.RunUntilIdle();
  EXPECT_EQ(stream.Prepares(), 1);
}

}  // namespace
}  // namespace zorvane
