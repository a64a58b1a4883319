// Threads on kernel32: CreateThread, exit codes, MsgWaitForMultipleObjects, Sleep.
#pragma once

#include "platform/threads.h"

namespace zorvane::win32 {

class Win32Threads final : public Threads {
 public:
  ThreadState QueryThread(ThreadHandle thread) const override;
  void CloseThread(ThreadHandle thread) override;
  void TerminateThread(ThreadHandle thread) override;
  WaitResult WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) override;
  void Sleep(int milliseconds) override;
  void TrimWorkingSet() override;
  void KeepCurrentThreadOnTime() override;
  // A critical section.
  std::unique_ptr<Lock> CreateLock() override;
  // An auto-reset event.
  std::unique_ptr<Signal> CreateSignal() override;

 protected:
  ThreadHandle StartThreadHandle(std::function<void()> body) override;
};

}  // namespace zorvane::win32
