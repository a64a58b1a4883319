// Threads that really run side by side, for the in-memory backend under ThreadSanitizer:
// the same engine as on virtual time, but with its workers racing the UI thread as they do
// on Windows. Sleeps are real, shortened by a time scale so a test stays quick.
//
// A watchdog stands in for the hang a deadlock would be: a lock the UI thread cannot have
// within kWatchdog throws Deadlock, so the test fails with that message instead of hanging.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/threads.h"

namespace zorvane::support {

class RealThreads final : public Threads {
 public:
  static constexpr std::chrono::seconds kWatchdog{30};

  // A sleep of n milliseconds lasts n / speedUp.
  explicit RealThreads(int speedUp = 1) : speedUp_(speedUp) {}
  // Waits for every thread it started.
  ~RealThreads() override;
  RealThreads(const RealThreads&) = delete;
  RealThreads& operator=(const RealThreads&) = delete;

  ThreadState QueryThread(ThreadHandle thread) const override;
  void CloseThread(ThreadHandle thread) override;
  // A running thread cannot be stopped from outside here; it is waited for instead.
  void TerminateThread(ThreadHandle thread) override;
  WaitResult WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) override;
  void Sleep(int milliseconds) override;
  void TrimWorkingSet() override {}
  // A mutex; the UI thread's wait for it is watched (see kWatchdog).
  std::unique_ptr<Lock> CreateLock() override;
  std::unique_ptr<Signal> CreateSignal() override;

  // Tells the waits whether a message is waiting for the UI thread.
  void SetInputCheck(std::function<bool()> inputPending);
  // Waits until every thread started so far has ended, calling `meanwhile` (the UI
  // thread's message handling, for workers that wait for it) while it waits.
  void JoinAll(const std::function<void()>& meanwhile = {});

 protected:
  ThreadHandle StartThreadHandle(std::function<void()> body) override;

 private:
  struct Worker {
    std::thread thread;
    std::atomic<bool> done{false};
    bool open = true;
  };
  std::shared_ptr<Worker> Find(ThreadHandle thread) const;

  const int speedUp_;
  mutable std::mutex mutex_;
  std::function<bool()> inputPending_;
  std::map<std::uintptr_t, std::shared_ptr<Worker>> workers_;
  std::uintptr_t nextId_ = 1;
};

}  // namespace zorvane::support
