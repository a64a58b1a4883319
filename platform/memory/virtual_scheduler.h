// Threads and timers on virtual time, for tests that must be exact and repeatable.
//
// Worker threads are real threads, but only one runs at a time, and only when the test (the
// UI thread) lets them: a worker runs until it sleeps or ends, then hands control back.
// Time stands still until the test moves it on; then sleepers wake and timers fire in time
// order. A worker terminated while it sleeps unwinds from its Sleep call, so its stack is
// cleaned up as if it had returned.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/threads.h"

namespace zorvane::memory {

class VirtualScheduler final : public Threads {
 public:
  VirtualScheduler();
  ~VirtualScheduler() override;
  VirtualScheduler(const VirtualScheduler&) = delete;
  VirtualScheduler& operator=(const VirtualScheduler&) = delete;

  ThreadHandle StartThread(std::function<void()> body) override;
  ThreadState QueryThread(ThreadHandle thread) const override;
  void CloseThread(ThreadHandle thread) override;
  void TerminateThread(ThreadHandle thread) override;
  WaitResult WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) override;
  void Sleep(int milliseconds) override;
  void TrimWorkingSet() override;

  // Periodic timers whose callbacks run on the UI thread. Setting a timer again under the
  // same key restarts it.
  void SetTimer(std::uintptr_t key, int intervalMs, std::function<void()> callback);
  void KillTimer(std::uintptr_t key);
  bool HasTimer(std::uintptr_t key) const;
  // Fires, on the calling thread, every timer that is due now (used when messages are
  // pumped while time is standing still).
  void FireDueTimers();
  // Tells the waits whether a message is waiting for the UI thread.
  void SetInputCheck(std::function<bool()> inputPending);

  // --- The test's side ---------------------------------------------------------------
  std::int64_t Now() const;
  // Lets every runnable worker run until it sleeps or ends.
  void RunUntilIdle();
  void AdvanceBy(std::int64_t milliseconds);
  void AdvanceTo(std::int64_t time);
  int TrimCount() const;
  // Handles started and not yet closed.
  int OpenHandleCount() const;
  // Workers that have not ended.
  int LiveWorkerCount() const;
  int TerminationCount() const;

 private:
  struct Worker;
  struct Timer {
    int interval;
    std::int64_t due;
    std::function<void()> callback;
  };
  using Lock = std::unique_lock<std::mutex>;

  void RunWorker(Lock& lock, Worker& worker);
  void RunUntilIdle(Lock& lock);
  Worker* Find(ThreadHandle thread) const;
  // The earliest time at or before `limit` when a sleeper wakes or a timer is due.
  bool NextEvent(std::int64_t limit, std::int64_t& when) const;
  void WakeSleepers(std::int64_t time);
  void FireTimersDueBy(Lock& lock, std::int64_t time);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::int64_t now_ = 0;
  int nextId_ = 1;
  int running_ = 0;  // the worker that may run now; 0 while the test has control
  std::map<int, std::unique_ptr<Worker>> workers_;
  std::map<std::uintptr_t, Timer> timers_;
  std::function<bool()> inputPending_;
  int trims_ = 0;
  int terminations_ = 0;
};

}  // namespace zorvane::memory
