#include "app/thread_routines.h"

namespace zorvane {

namespace {
constexpr int kDefaultWaitMs = 5000;
}

int QueryThreadState(const Threads& threads, ThreadHandle thread) {
  return static_cast<int>(threads.QueryThread(thread));
}

void WaitThreadPumping(Threads& threads, WindowSystem& ui, ThreadHandle thread, int timeoutMs,
                       bool useTimeout) {
  const int timeout = useTimeout ? timeoutMs : kDefaultWaitMs;
  for (;;) {
    const WaitResult result = threads.WaitForThreadOrInput(thread, timeout);
    ui.PumpPendingMessages();
    // A wait that failed (the handle went bad) would fail again at once: stop here rather
    // than spin.
    if (result != WaitResult::InputArrived) return;
    // What was just handled may have been the thread's own last wait for this one.
    if (threads.QueryThread(thread) != ThreadState::Running) return;
  }
}

}  // namespace zorvane
