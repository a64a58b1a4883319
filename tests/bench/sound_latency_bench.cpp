// Benchmark, not a test: how long a play takes to reach the sound device through the mixing
// stream on winmm, as the program plays its clicks. Each play is timed from PlayClip to the
// moment its first block is handed to the device, which includes opening the stream when
// it is shut. Under Wine:
//
//   scripts/wine-env.sh start STATE
//   scripts/wine-run.sh STATE build/win32/tests/bench/sound_latency_bench.exe
//   scripts/wine-env.sh stop STATE
//
// Prints one line a kind of play: "NAME plays N open median/worst MS MS first-block
// median/worst MS MS". The device's own output latency comes on top. The stream is opened
// ahead, as before the warning ticker's first click, and plays silence between the clicks,
// so a play waits for room behind what is queued (at most some 20 ms).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/audio_stream.h"
#include "platform/mixing_sound.h"
#include "platform/win32/win32_audio_stream.h"
#include "platform/win32/win32_threads.h"
#include "resources/sounds.h"

namespace zorvane {
namespace {

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The real stream, with the time of each open and of the first block written after a play
// was asked for.
class TimedStream final : public AudioStream {
 public:
  explicit TimedStream(AudioStream& stream) : stream_(stream) {}

  void Prepare() override { stream_.Prepare(); }
  bool Open(StreamFormat format) override {
    const double began = NowMs();
    const bool opened = stream_.Open(format);
    openMs_ = NowMs() - began;
    return opened;
  }
  bool WaitForRoom() override { return stream_.WaitForRoom(); }
  bool Write(std::span<const std::int16_t> block) override {
    const bool written = stream_.Write(block);
    const double asked = askedAt_.exchange(0);
    if (asked != 0) {
      std::lock_guard guard(mutex_);
      firstBlockMs_.push_back(NowMs() - asked);
      openMsOfPlay_.push_back(openMs_.exchange(0));
    }
    return written;
  }
  void Close() override { stream_.Close(); }

  void Asked() { askedAt_ = NowMs(); }
  // Each play's time to open the stream (0 when it was open) and to its first block.
  std::pair<std::vector<double>, std::vector<double>> Take() {
    std::lock_guard guard(mutex_);
    return {std::exchange(openMsOfPlay_, {}), std::exchange(firstBlockMs_, {})};
  }

 private:
  AudioStream& stream_;
  std::mutex mutex_;
  std::vector<double> firstBlockMs_;
  std::vector<double> openMsOfPlay_;
  std::atomic<double> askedAt_ = 0;
  std::atomic<double> openMs_ = 0;
};

void Report(const char* name, std::vector<double> open, std::vector<double> first) {
  if (first.empty()) {
    std::printf("%s plays 0\n", name);
    return;
  }
  std::ranges::sort(open);
  std::ranges::sort(first);
  std::printf("%s plays %zu open median/worst %.1f %.1f first-block median/worst %.1f %.1f\n",
              name, first.size(), open[open.size() / 2], open.back(), first[first.size() / 2],
              first.back());
}

// Plays the click `count` times, `apartMs` apart, and reports each play's timings. With
// `intoAClickMs`, each timed play comes that long after an untimed click, while it sounds.
void Measure(const char* name, TimedStream& timed, MixingSound& sound, int count, DWORD apartMs,
             DWORD intoAClickMs = 0) {
  timed.Take();
  for (int i = 0; i < count; ++i) {
    if (intoAClickMs != 0) {
      sound.PlayClip(sounds::TickClip);
      Sleep(intoAClickMs);
    }
    timed.Asked();
    sound.PlayClip(sounds::TickClip);
    Sleep(apartMs);
  }
  Sleep(500);
  auto [open, first] = timed.Take();
  Report(name, std::move(open), std::move(first));
}

}  // namespace
}  // namespace zorvane

int main() {
  using namespace zorvane;
  win32::Win32Threads threads;
  win32::Win32AudioStream stream;
  TimedStream timed(stream);
  MixingSound sound(timed, threads);
  const double began = NowMs();
  sound.Prepare();  // as a countdown's start does
  Sleep(1000);
  sound.OpenAhead();  // as the tick before the warning ticker's first click does
  Sleep(1000);
  std::printf("prepared in the background, then plays (the first at %.0f ms)\n", NowMs() - began);
  // The clicks of the last thirty seconds: a second apart, half a second, a quarter; then a
  // play that comes while a click still sounds, as the alarm at zero may.
  Measure("clicks-1000ms", timed, sound, 10, 1000);
  Measure("clicks-500ms", timed, sound, 10, 500);
  Measure("clicks-250ms", timed, sound, 20, 250);
  Measure("clicks-30ms-into-a-click", timed, sound, 10, 470, 30);
  // The stream closes and its thread ends before the objects it uses go.
  Sleep(MixingSound::kCloseAfterSilenceMs + 1000);
  return 0;
}
