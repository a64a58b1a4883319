// Calls that workers hand to the UI thread: a message-only window of the UI thread runs
// each one when the UI thread handles messages, while the worker waits in SendMessageW,
// as it would for any other message it sends to that thread's windows.
#pragma once

#include <windows.h>

#include <functional>

namespace zorvane::win32 {

class UiThreadCalls {
 public:
  // Creates the window on the calling thread, which becomes the one the calls run on.
  UiThreadCalls();
  ~UiThreadCalls();
  UiThreadCalls(const UiThreadCalls&) = delete;
  UiThreadCalls& operator=(const UiThreadCalls&) = delete;

  // Runs `task` on the UI thread and returns once it has run (at once on that thread).
  void Run(const std::function<void()>& task) const;

 private:
  HWND window_ = nullptr;
};

}  // namespace zorvane::win32
