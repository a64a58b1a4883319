// Threads that really run side by side, for the in-memory backend under ThreadSanitizer:
// the same engine as on virtual time, but with its workers racing the UI thread as they do
// on Windows. Sleeps are real, shortened by a time scale so a test stays quick.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/threads.h"

namespace zorvane::memory {

class RealThreads final : public Threads {
 public:
  // A sleep of n milliseconds lasts n / speedUp.
  explicit RealThreads(int speedUp = 1) : speedUp_(speedUp) {}
  // Waits for every thread it started.
  ~RealThreads() override;
  RealThreads(const RealThreads&) = delete;
  RealThreads& operator=(const RealThreads&) = delete;

  ThreadHandle StartThread(std::function<void()> body) override;
  ThreadState QueryThread(ThreadHandle thread) const override;
  void CloseThread(ThreadHandle thread) override;
  // A running thread cannot be stopped from outside here; it is waited for instead.
  void TerminateThread(ThreadHandle thread) override;
  WaitResult WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) override;
  void Sleep(int milliseconds) override;
  void TrimWorkingSet() override {}

  // Waits until every thread started so far has ended.
  void JoinAll();

 private:
  struct Worker {
    std::thread thread;
    std::atomic<bool> done{false};
    bool open = true;
  };
  std::shared_ptr<Worker> Find(ThreadHandle thread) const;

  const int speedUp_;
  mutable std::mutex mutex_;
  std::map<std::uintptr_t, std::shared_ptr<Worker>> workers_;
  std::uintptr_t nextId_ = 1;
};

}  // namespace zorvane::memory
