#include "display/layering.h"

#include <mutex>

namespace zorvane {

namespace {
constexpr int kVisibleMs = 400;
constexpr int kFadeSteps = 10;
constexpr int kStepMs = 20;
constexpr int kAlphaPerStep = 25;
}  // namespace

void ApplyLayeredAttributes(Drawing& drawing, WindowHandle window, Colour key, int alpha,
                            LayeredFlags flags) {
  drawing.ApplyLayered(window, key, alpha, flags);
}

void FadeOutThread(WindowSystem& ui, Drawing& drawing, Threads& threads, ProgramState& state) {
  threads.Sleep(kVisibleMs);
  for (int step = 1; step <= kFadeSteps; ++step) {
    if (!ui.WindowExists(state.DisplayWindow.load())) continue;
    {
      std::lock_guard lock(state.DisplayLock);
      ApplyLayeredAttributes(drawing, state.DisplayWindow.load(), 0, 255 - kAlphaPerStep * step,
                             LayeredFlags::Alpha);
    }
    threads.Sleep(kStepMs);
  }
}

}  // namespace zorvane
