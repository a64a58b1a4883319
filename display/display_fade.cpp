#include "display/display_fade.h"

#include <mutex>

namespace zorvane {

namespace {
constexpr int kVisibleMs = 400;
constexpr int kFadeSteps = 10;
constexpr int kStepMs = 20;
constexpr int kAlphaPerStep = 25;

// One step, while the window still shows its countdown. The window has had the layered
// style since its first picture, which Start draws on the UI thread, so only the opacity is
// set: that waits for no other thread, and may be done under the lock.
bool StepFade(Drawing& drawing, ProgramState& state, WindowHandle window, int alpha) {
  std::lock_guard lock(*state.DisplayLock);
  if (!state.Shows(window)) return false;
  drawing.SetLayeredAttributes(window, 0, alpha, LayeredFlags::Alpha);
  return true;
}

}  // namespace

void ApplyLayeredAttributes(Drawing& drawing, WindowHandle window, Colour key, int alpha,
                            LayeredFlags flags) {
  drawing.ApplyLayered(window, key, alpha, flags);
}

void FadeOutThread(WindowSystem& ui, Drawing& drawing, Threads& threads, ProgramState& state,
                   WindowHandle window) {
  threads.Sleep(kVisibleMs);
  for (int step = 1; step <= kFadeSteps; ++step) {
    if (!ui.WindowExists(window) ||
        !StepFade(drawing, state, window, 255 - kAlphaPerStep * step)) {
      continue;
    }
    threads.Sleep(kStepMs);
  }
}

}  // namespace zorvane
