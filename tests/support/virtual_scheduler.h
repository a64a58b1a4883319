// Threads and timers on virtual time, for tests that must be exact and repeatable.
//
// Worker threads are real threads, but only one runs at a time, and only when the test (the
// UI thread) lets them: a worker runs until it sleeps, blocks or ends, then hands control
// back. Time stands still until the test moves it on; then sleepers wake and timers fire in
// time order. While the test moves time on, the UI thread is idle in its message loop: it
// handles what workers sent it (see SetIdleWork). A worker terminated while it sleeps or
// blocks unwinds from that call, so its stack is cleaned up as if it had returned.
//
// Its locks know who waits for whom: a UI thread that would wait for ever for a lock (its
// holder waits for the UI thread) gets a Deadlock exception instead of a hang.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/memory/twin_clock.h"
#include "platform/threads.h"

namespace zorvane::support {

using memory::Deadlock;

class VirtualScheduler final : public Threads, public memory::TwinClock {
 public:
  VirtualScheduler();
  ~VirtualScheduler() override;
  VirtualScheduler(const VirtualScheduler&) = delete;
  VirtualScheduler& operator=(const VirtualScheduler&) = delete;

  ThreadState QueryThread(ThreadHandle thread) const override;
  void CloseThread(ThreadHandle thread) override;
  void TerminateThread(ThreadHandle thread) override;
  WaitResult WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) override;
  // A worker sleeps; the UI thread is busy meanwhile (see Spend).
  void Sleep(int milliseconds) override;
  void TrimWorkingSet() override;
  std::unique_ptr<Lock> CreateLock() override;
  std::unique_ptr<Signal> CreateSignal() override;

  // The calling thread is busy for `milliseconds` of virtual time. For a worker that is a
  // sleep. On the UI thread the workers run and sleepers wake meanwhile, but no timer fires
  // and nothing sent to the UI thread is handled: it is in the middle of something.
  void Spend(int milliseconds) override;
  // Whether the caller is one of this scheduler's workers (not the UI thread).
  bool OnWorker() const override;
  // Blocks the calling worker until `ready` holds. `ready` is asked under the scheduler's
  // own lock, so it must take no other: read an atomic.
  void WaitUntil(std::function<bool()> ready) override;

  // Periodic timers whose callbacks run on the UI thread. Setting a timer again under the
  // same key restarts it.
  void SetTimer(std::uintptr_t key, int intervalMs, std::function<void()> callback) override;
  void KillTimer(std::uintptr_t key) override;
  bool HasTimer(std::uintptr_t key) const override;
  // Fires, on the calling thread, every timer that is due now (used when messages are
  // pumped while time is standing still).
  void FireDueTimers() override;
  // Tells the waits whether a message is waiting for the UI thread.
  void SetInputCheck(std::function<bool()> inputPending) override;
  // What the UI thread does whenever it is idle in its message loop while time moves on:
  // handle the messages workers sent it. Returns whether it handled any.
  void SetIdleWork(std::function<bool()> idleWork) override;

  // --- The test's side ---------------------------------------------------------------
  std::int64_t Now() const override;
  // Lets every runnable worker run until it sleeps, blocks or ends, with the UI thread idle.
  void RunUntilIdle();
  void AdvanceBy(std::int64_t milliseconds);
  void AdvanceTo(std::int64_t time);
  int TrimCount() const;
  // Handles started and not yet closed.
  int OpenHandleCount() const;
  // Workers that have not ended.
  int LiveWorkerCount() const;
  int TerminationCount() const;
  // Terminates every worker that has not ended, as the process's end would (each unwinds).
  void EndAllWorkers();

 protected:
  ThreadHandle StartThreadHandle(std::function<void()> body) override;

 private:
  struct Worker;
  class SchedulerLock;
  class SchedulerSignal;
  struct Timer {
    int interval;
    std::int64_t due;
    std::function<void()> callback;
  };
  using Guard = std::unique_lock<std::mutex>;

  void RunWorker(Guard& lock, Worker& worker);
  void RunUntilIdle(Guard& lock);
  // RunUntilIdle, with the UI thread handling what was sent to it, until neither is left.
  void RunUntilIdleServing(Guard& lock);
  // Hands control back until `ready` holds, or virtual time reaches `until`; the calling
  // worker is blocked meanwhile.
  void BlockWorker(Guard& lock, std::function<bool()> ready,
                   std::int64_t until = std::numeric_limits<std::int64_t>::max());
  void AcquireLock(int& owner);
  void ReleaseLock(int& owner);
  Worker* Find(ThreadHandle thread) const;
  // The earliest time at or before `limit` when a sleeper wakes or (with `timers`) a timer
  // is due.
  bool NextEvent(std::int64_t limit, std::int64_t& when, bool timers = true) const;
  void WakeSleepers(std::int64_t time);
  void FireTimersDueBy(Guard& lock, std::int64_t time);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::int64_t now_ = 0;
  int nextId_ = 1;
  int running_ = 0;  // the worker that may run now; 0 while the test has control
  std::map<int, std::unique_ptr<Worker>> workers_;
  std::map<std::uintptr_t, Timer> timers_;
  std::function<bool()> inputPending_;
  std::function<bool()> idleWork_;
  int trims_ = 0;
  int terminations_ = 0;
};

}  // namespace zorvane::support
