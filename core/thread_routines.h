// The two routines about a worker's handle that the shell and the countdown share: what the
// thread is doing, and a wait for it that keeps the windows answering.
#pragma once

#include "platform/threads.h"
#include "platform/window_system.h"

namespace zorvane {

// Whether the thread still runs, has ended, or there is no thread (an empty owner).
ThreadState QueryThreadState(const Threads& threads, const OwnedThread& thread);

// Waits for a thread to end while keeping the window alive: every message that arrives is
// dispatched and the wait starts again with the full timeout. Without `useTimeout` each
// quiet wait lasts at most 5000 ms.
void WaitThreadPumping(Threads& threads, WindowSystem& ui, const OwnedThread& thread, int timeoutMs,
                       bool useTimeout);

}  // namespace zorvane
