#include "platform/memory/virtual_scheduler.h"

#include <limits>

namespace zorvane::memory {
namespace {

// Thrown out of Sleep in a terminated worker, caught where the worker started.
struct WorkerTerminated {};

}  // namespace

struct VirtualScheduler::Worker {
  enum class State { Runnable, Running, Sleeping, Ended };

  int id = 0;
  State state = State::Runnable;
  std::int64_t wakeAt = 0;
  bool terminated = false;
  bool handleOpen = true;
  std::thread thread;
};

namespace {
thread_local int currentWorker = 0;
}

VirtualScheduler::VirtualScheduler() = default;

VirtualScheduler::~VirtualScheduler() {
  Lock lock(mutex_);
  for (auto& [id, worker] : workers_) {
    if (worker->state != Worker::State::Ended) {
      worker->terminated = true;
      RunWorker(lock, *worker);
    }
  }
  lock.unlock();
  for (auto& [id, worker] : workers_) {
    if (worker->thread.joinable()) worker->thread.join();
  }
}

ThreadHandle VirtualScheduler::StartThread(std::function<void()> body) {
  Lock lock(mutex_);
  // Workers that have ended and whose handles are closed are gone for good: join them, so
  // that a long run does not pile up finished threads. (They hold the lock no more.)
  for (auto it = workers_.begin(); it != workers_.end();) {
    Worker& old = *it->second;
    if (old.state == Worker::State::Ended && !old.handleOpen) {
      old.thread.join();
      it = workers_.erase(it);
    } else {
      ++it;
    }
  }
  auto worker = std::make_unique<Worker>();
  const int id = nextId_++;
  worker->id = id;
  worker->thread = std::thread([this, id, body = std::move(body)] {
    currentWorker = id;
    Lock turn(mutex_);
    Worker& self = *workers_.at(id);
    changed_.wait(turn, [&] { return running_ == id; });
    if (!self.terminated) {
      turn.unlock();
      try {
        body();
      } catch (const WorkerTerminated&) {
      }
      turn.lock();
    }
    self.state = Worker::State::Ended;
    running_ = 0;
    changed_.notify_all();
  });
  workers_.emplace(id, std::move(worker));
  return ThreadHandle{static_cast<std::uintptr_t>(id)};
}

VirtualScheduler::Worker* VirtualScheduler::Find(ThreadHandle thread) const {
  auto found = workers_.find(static_cast<int>(thread.value));
  if (found == workers_.end() || !found->second->handleOpen) return nullptr;
  return found->second.get();
}

ThreadState VirtualScheduler::QueryThread(ThreadHandle thread) const {
  Lock lock(mutex_);
  const Worker* worker = Find(thread);
  if (worker == nullptr) return ThreadState::Unknown;
  return worker->state == Worker::State::Ended ? ThreadState::Ended : ThreadState::Running;
}

void VirtualScheduler::CloseThread(ThreadHandle thread) {
  Lock lock(mutex_);
  if (Worker* worker = Find(thread)) worker->handleOpen = false;
}

void VirtualScheduler::TerminateThread(ThreadHandle thread) {
  Lock lock(mutex_);
  Worker* worker = Find(thread);
  if (worker == nullptr || worker->state == Worker::State::Ended) return;
  worker->terminated = true;
  ++terminations_;
  RunWorker(lock, *worker);  // it unwinds at once
}

void VirtualScheduler::RunWorker(Lock& lock, Worker& worker) {
  worker.state = Worker::State::Running;
  running_ = worker.id;
  changed_.notify_all();
  changed_.wait(lock, [&] { return running_ == 0; });
}

void VirtualScheduler::RunUntilIdle(Lock& lock) {
  for (;;) {
    Worker* next = nullptr;
    for (auto& [id, worker] : workers_) {
      if (worker->state == Worker::State::Runnable) {
        next = worker.get();
        break;
      }
    }
    if (next == nullptr) return;
    RunWorker(lock, *next);
  }
}

void VirtualScheduler::RunUntilIdle() {
  Lock lock(mutex_);
  RunUntilIdle(lock);
}

void VirtualScheduler::Sleep(int milliseconds) {
  const int self = currentWorker;
  if (self == 0) {  // the UI thread: time passes for everyone
    AdvanceBy(milliseconds);
    return;
  }
  Lock lock(mutex_);
  Worker& worker = *workers_.at(self);
  worker.state = Worker::State::Sleeping;
  worker.wakeAt = now_ + milliseconds;
  running_ = 0;
  changed_.notify_all();
  changed_.wait(lock, [&] { return running_ == self; });
  if (worker.terminated) throw WorkerTerminated{};
}

void VirtualScheduler::TrimWorkingSet() {
  Lock lock(mutex_);
  ++trims_;
}

bool VirtualScheduler::NextEvent(std::int64_t limit, std::int64_t& when) const {
  std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
  for (const auto& [id, worker] : workers_) {
    if (worker->state == Worker::State::Sleeping) earliest = std::min(earliest, worker->wakeAt);
  }
  for (const auto& [key, timer] : timers_) earliest = std::min(earliest, timer.due);
  if (earliest > limit) return false;
  when = earliest;
  return true;
}

void VirtualScheduler::WakeSleepers(std::int64_t time) {
  for (auto& [id, worker] : workers_) {
    if (worker->state == Worker::State::Sleeping && worker->wakeAt <= time) {
      worker->state = Worker::State::Runnable;
    }
  }
}

void VirtualScheduler::FireTimersDueBy(Lock& lock, std::int64_t time) {
  // Timers fire in key order; a callback may set or kill timers, so look them up afresh.
  std::vector<std::uintptr_t> due;
  for (const auto& [key, timer] : timers_) {
    if (timer.due <= time) due.push_back(key);
  }
  for (std::uintptr_t key : due) {
    auto found = timers_.find(key);
    if (found == timers_.end() || found->second.due > time) continue;
    // One tick however late: a timer never fires twice to catch up.
    found->second.due = time + found->second.interval;
    std::function<void()> callback = found->second.callback;
    lock.unlock();
    callback();
    lock.lock();
  }
}

void VirtualScheduler::AdvanceTo(std::int64_t time) {
  Lock lock(mutex_);
  RunUntilIdle(lock);
  std::int64_t when = 0;
  while (NextEvent(time, when)) {
    now_ = std::max(now_, when);
    WakeSleepers(now_);
    RunUntilIdle(lock);
    FireTimersDueBy(lock, now_);
    RunUntilIdle(lock);
  }
  now_ = std::max(now_, time);
}

void VirtualScheduler::AdvanceBy(std::int64_t milliseconds) { AdvanceTo(Now() + milliseconds); }

std::int64_t VirtualScheduler::Now() const {
  Lock lock(mutex_);
  return now_;
}

WaitResult VirtualScheduler::WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) {
  Lock lock(mutex_);
  const std::int64_t deadline = now_ + timeoutMs;
  for (;;) {
    RunUntilIdle(lock);
    const Worker* worker = Find(thread);
    if (worker == nullptr) return WaitResult::Failed;
    if (worker->state == Worker::State::Ended) return WaitResult::ThreadEnded;
    if (inputPending_) {
      lock.unlock();
      const bool pending = inputPending_();
      lock.lock();
      if (pending) return WaitResult::InputArrived;
    }
    std::int64_t when = 0;
    if (!NextEvent(deadline, when)) {
      now_ = deadline;
      return WaitResult::TimedOut;
    }
    now_ = std::max(now_, when);
    // A due timer is a message for the UI thread: the wait ends and the pump fires it.
    for (const auto& [key, timer] : timers_) {
      if (timer.due <= now_) return WaitResult::InputArrived;
    }
    WakeSleepers(now_);
  }
}

void VirtualScheduler::SetTimer(std::uintptr_t key, int intervalMs, std::function<void()> callback) {
  Lock lock(mutex_);
  timers_[key] = Timer{intervalMs, now_ + intervalMs, std::move(callback)};
}

void VirtualScheduler::KillTimer(std::uintptr_t key) {
  Lock lock(mutex_);
  timers_.erase(key);
}

bool VirtualScheduler::HasTimer(std::uintptr_t key) const {
  Lock lock(mutex_);
  return timers_.contains(key);
}

void VirtualScheduler::FireDueTimers() {
  Lock lock(mutex_);
  FireTimersDueBy(lock, now_);
}

void VirtualScheduler::SetInputCheck(std::function<bool()> inputPending) {
  Lock lock(mutex_);
  inputPending_ = std::move(inputPending);
}

int VirtualScheduler::TrimCount() const {
  Lock lock(mutex_);
  return trims_;
}

int VirtualScheduler::OpenHandleCount() const {
  Lock lock(mutex_);
  int open = 0;
  for (const auto& [id, worker] : workers_) open += worker->handleOpen ? 1 : 0;
  return open;
}

int VirtualScheduler::TerminationCount() const {
  Lock lock(mutex_);
  return terminations_;
}

int VirtualScheduler::LiveWorkerCount() const {
  Lock lock(mutex_);
  int live = 0;
  for (const auto& [id, worker] : workers_) live += worker->state != Worker::State::Ended ? 1 : 0;
  return live;
}

}  // namespace zorvane::memory
