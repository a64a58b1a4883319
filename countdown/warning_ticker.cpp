#include "countdown/warning_ticker.h"

#include "resources/sounds.h"

namespace zorvane {

int InitialClickCount(std::int32_t remaining) {
  if (remaining > 10) return 30 - remaining;
  if (remaining > 5) return 20;
  if (remaining > 1) return 30;
  return 0;
}

int ClickPauseMs(int clicks) {
  if (clicks > 30) return 250;
  if (clicks > 20) return 500;
  return 1000;
}

void PlayInBackground(Threads& threads, Sound& sound, std::span<const std::uint8_t> clip) {
  threads.StartDetachedThread([&sound, clip] { sound.PlayClip(clip); });
}

void WarningTicker(Threads& threads, Sound& sound, const ProgramState& state,
                   std::int32_t remaining, std::int32_t run) {
  threads.KeepCurrentThreadOnTime();
  int clicks = InitialClickCount(remaining);
  while (state.CountdownRunning.load() != 0 && state.CountdownRun.load() == run) {
    PlayInBackground(threads, sound, sounds::TickClip);
    ++clicks;
    threads.Sleep(ClickPauseMs(clicks));
  }
}

}  // namespace zorvane
