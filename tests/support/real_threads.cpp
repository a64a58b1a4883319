#include "tests/support/real_threads.h"

#include <condition_variable>
#include <vector>

#include "platform/memory/twin_clock.h"

namespace zorvane::support {
namespace {

// Tried again and again rather than with a timed lock: ThreadSanitizer follows try_lock,
// but not the clock-based wait that std::timed_mutex uses.
class WatchedMutex final : public Lock {
 public:
  void lock() override {
    const auto deadline = std::chrono::steady_clock::now() + RealThreads::kWatchdog;
    while (!mutex_.try_lock()) {
      if (std::chrono::steady_clock::now() >= deadline) {
        throw memory::Deadlock("deadlock: a lock was not to be had for 30 s (its holder waits for the "
                       "thread that wants it)");
      }
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
  }
  void unlock() override { mutex_.unlock(); }

 private:
  std::mutex mutex_;
};

class Flag final : public Signal {
 public:
  explicit Flag(int speedUp) : speedUp_(speedUp) {}
  void Set() override {
    {
      std::lock_guard lock(mutex_);
      set_ = true;
    }
    changed_.notify_one();
  }
  bool WaitFor(int timeoutMs) override {
    std::unique_lock lock(mutex_);
    const bool set = changed_.wait_for(lock, std::chrono::microseconds(1000LL * timeoutMs / speedUp_),
                                       [&] { return set_; });
    set_ = false;
    return set;
  }

 private:
  const int speedUp_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool set_ = false;
};

}  // namespace

RealThreads::~RealThreads() { JoinAll(); }

std::unique_ptr<Lock> RealThreads::CreateLock() { return std::make_unique<WatchedMutex>(); }

std::unique_ptr<Signal> RealThreads::CreateSignal() { return std::make_unique<Flag>(speedUp_); }

void RealThreads::SetInputCheck(std::function<bool()> inputPending) {
  std::lock_guard lock(mutex_);
  inputPending_ = std::move(inputPending);
}

void RealThreads::JoinAll(const std::function<void()>& meanwhile) {
  std::vector<std::shared_ptr<Worker>> workers;
  {
    std::lock_guard lock(mutex_);
    for (auto& [id, worker] : workers_) workers.push_back(worker);
  }
  for (auto& worker : workers) {
    while (meanwhile && !worker->done.load()) {
      meanwhile();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (worker->thread.joinable()) worker->thread.join();
  }
}

ThreadHandle RealThreads::StartThreadHandle(std::function<void()> body) {
  auto worker = std::make_shared<Worker>();
  std::lock_guard lock(mutex_);
  const std::uintptr_t id = nextId_++;
  workers_.emplace(id, worker);
  worker->thread = std::thread([body = std::move(body), done = &worker->done] {
    body();
    done->store(true);
  });
  return ThreadHandle{id};
}

std::shared_ptr<RealThreads::Worker> RealThreads::Find(ThreadHandle thread) const {
  std::lock_guard lock(mutex_);
  auto found = workers_.find(thread.value);
  if (found == workers_.end() || !found->second->open) return nullptr;
  return found->second;
}

ThreadState RealThreads::QueryThread(ThreadHandle thread) const {
  const auto worker = Find(thread);
  if (!worker) return ThreadState::Unknown;
  return worker->done.load() ? ThreadState::Ended : ThreadState::Running;
}

void RealThreads::CloseThread(ThreadHandle thread) {
  std::lock_guard lock(mutex_);
  if (auto found = workers_.find(thread.value); found != workers_.end()) {
    found->second->open = false;
  }
}

void RealThreads::TerminateThread(ThreadHandle thread) {
  if (const auto worker = Find(thread)) {
    while (!worker->done.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

WaitResult RealThreads::WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) {
  const auto worker = Find(thread);
  if (!worker) return WaitResult::Failed;
  std::function<bool()> inputPending;
  {
    std::lock_guard lock(mutex_);
    inputPending = inputPending_;
  }
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(timeoutMs) / speedUp_;
  while (!worker->done.load()) {
    if (inputPending && inputPending()) return WaitResult::InputArrived;
    if (std::chrono::steady_clock::now() >= deadline) return WaitResult::TimedOut;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return WaitResult::ThreadEnded;
}

void RealThreads::Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::microseconds(1000LL * milliseconds / speedUp_));
}

}  // namespace zorvane::support
