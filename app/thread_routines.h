// Small routines about threads and the working set that the shell and the countdown share.
#pragma once

#include "platform/threads.h"
#include "platform/window_system.h"

namespace zorvane {

// 0: no valid thread handle; 1: the thread has ended; 2: it still runs.
int QueryThreadState(const Threads& threads, ThreadHandle thread);

// Waits for a thread to end while keeping the window alive: every message that arrives is
// dispatched and the wait starts again with the full timeout. Without `useTimeout` each
// quiet wait lasts at most 5000 ms.
void WaitThreadPumping(Threads& threads, WindowSystem& ui, ThreadHandle thread, int timeoutMs,
                       bool useTimeout);

}  // namespace zorvane
