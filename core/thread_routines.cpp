#include "core/thread_routines.h"

namespace zorvane {

namespace {
constexpr int kDefaultWaitMs = 5000;
}

ThreadState QueryThreadState(const Threads& threads, const OwnedThread& thread) {
  return threads.QueryThread(thread.get());
}

void WaitThreadPumping(Threads& threads, WindowSystem& ui, const OwnedThread& thread, int timeoutMs,
                       bool useTimeout) {
  const int timeout = useTimeout ? timeoutMs : kDefaultWaitMs;
  for (;;) {
    const WaitResult result = threads.WaitForThreadOrInput(thread.get(), timeout);
    ui.PumpPendingMessages();
    // A wait that failed (the handle went bad) would fail again at once: stop here rather
    // than spin.
    if (result != WaitResult::InputArrived) return;
    // What was just handled may have been the thread's own last wait for this one.
    if (QueryThreadState(threads, thread) != ThreadState::Running) return;
  }
}

}  // namespace zorvane
