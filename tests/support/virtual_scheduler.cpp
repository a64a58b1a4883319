#include "tests/support/virtual_scheduler.h"

#include <utility>

#include <limits>
#include <string>

namespace zorvane::support {
namespace {

// Thrown out of Sleep or a block in a terminated worker, caught where the worker started.
struct WorkerTerminated {};

// The owner of a lock that is held by the UI thread (workers are numbered from 1).
constexpr int kUiThread = -1;

}  // namespace

struct VirtualScheduler::Worker {
  enum class State { Runnable, Running, Sleeping, Blocked, Ended };

  int id = 0;
  State state = State::Runnable;
  std::int64_t wakeAt = 0;
  std::function<bool()> ready;  // while blocked: whether it may go on
  std::int64_t blockedUntil = std::numeric_limits<std::int64_t>::max();  // or until then
  bool terminated = false;
  bool handleOpen = true;
  std::thread thread;
};

namespace {
thread_local int currentWorker = 0;
}

// A lock whose waiters are this scheduler's workers or the UI thread. Its owner is
// guarded by the scheduler's mutex.
class VirtualScheduler::SchedulerLock final : public zorvane::Lock {
 public:
  explicit SchedulerLock(VirtualScheduler& scheduler) : scheduler_(scheduler) {}
  void lock() override { scheduler_.AcquireLock(owner_); }
  void unlock() override { scheduler_.ReleaseLock(owner_); }

 private:
  VirtualScheduler& scheduler_;
  int owner_ = 0;  // 0: free; kUiThread; or a worker's id
};

VirtualScheduler::VirtualScheduler() = default;

VirtualScheduler::~VirtualScheduler() {
  EndAllWorkers();
  for (auto& [id, worker] : workers_) {
    if (worker->thread.joinable()) worker->thread.join();
  }
}

void VirtualScheduler::EndAllWorkers() {
  Guard lock(mutex_);
  for (auto& [id, worker] : workers_) {
    if (worker->state != Worker::State::Ended) {
      worker->terminated = true;
      RunWorker(lock, *worker);
    }
  }
}

std::unique_ptr<Lock> VirtualScheduler::CreateLock() {
  return std::make_unique<SchedulerLock>(*this);
}

void VirtualScheduler::AcquireLock(int& owner) {
  Guard lock(mutex_);
  const int self = currentWorker == 0 ? kUiThread : currentWorker;
  if (self != kUiThread) {
    while (owner != 0) BlockWorker(lock, [&owner] { return owner == 0; });
    owner = self;
    return;
  }
  // The UI thread waits here while the workers go on; a holder that cannot go on until
  // the UI thread does something would keep it waiting for ever.
  while (owner != 0) {
    RunUntilIdle(lock);
    if (owner == 0) break;
    if (owner == kUiThread) throw Deadlock("deadlock: the UI thread takes a lock it holds already");
    const Worker& holder = *workers_.at(owner);
    if (holder.state == Worker::State::Sleeping) {
      now_ = std::max(now_, holder.wakeAt);
      WakeSleepers(now_);
      continue;
    }
    throw Deadlock(holder.state == Worker::State::Ended
                       ? "deadlock: the UI thread waits for a lock that an ended worker kept"
                       : "deadlock: the UI thread waits for a lock held by a worker that is "
                         "itself waiting (for the UI thread to handle a message it sent, "
                         "or for another lock)");
  }
  owner = kUiThread;
}

void VirtualScheduler::ReleaseLock(int& owner) {
  Guard lock(mutex_);
  owner = 0;
}

ThreadHandle VirtualScheduler::StartThreadHandle(std::function<void()> body) {
  Guard lock(mutex_);
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
    Guard turn(mutex_);
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
  Guard lock(mutex_);
  const Worker* worker = Find(thread);
  if (worker == nullptr) return ThreadState::Unknown;
  return worker->state == Worker::State::Ended ? ThreadState::Ended : ThreadState::Running;
}

void VirtualScheduler::CloseThread(ThreadHandle thread) {
  Guard lock(mutex_);
  if (Worker* worker = Find(thread)) worker->handleOpen = false;
}

// Win32 unwinds nothing and frees no lock the thread holds; harmless, as the program
// terminates only its last redraw, at its end, once nothing else takes the display lock.
void VirtualScheduler::TerminateThread(ThreadHandle thread) {
  Guard lock(mutex_);
  Worker* worker = Find(thread);
  if (worker == nullptr || worker->state == Worker::State::Ended) return;
  worker->terminated = true;
  ++terminations_;
  RunWorker(lock, *worker);  // it unwinds at once
}

void VirtualScheduler::RunWorker(Guard& lock, Worker& worker) {
  worker.state = Worker::State::Running;
  running_ = worker.id;
  changed_.notify_all();
  changed_.wait(lock, [&] { return running_ == 0; });
}

void VirtualScheduler::RunUntilIdle(Guard& lock) {
  for (;;) {
    Worker* next = nullptr;
    for (auto& [id, worker] : workers_) {
      if (worker->state == Worker::State::Blocked &&
          (now_ >= worker->blockedUntil || worker->ready())) {
        worker->state = Worker::State::Runnable;
      }
      if (worker->state == Worker::State::Runnable) {
        next = worker.get();
        break;
      }
    }
    if (next == nullptr) return;
    RunWorker(lock, *next);
  }
}

void VirtualScheduler::RunUntilIdleServing(Guard& lock) {
  for (;;) {
    RunUntilIdle(lock);
    if (!idleWork_) return;
    const std::function<bool()> idleWork = idleWork_;
    lock.unlock();
    const bool handled = idleWork();
    lock.lock();
    if (!handled) return;
  }
}

void VirtualScheduler::RunUntilIdle() {
  Guard lock(mutex_);
  RunUntilIdleServing(lock);
}

void VirtualScheduler::BlockWorker(Guard& lock, std::function<bool()> ready, std::int64_t until) {
  const int self = currentWorker;
  Worker& worker = *workers_.at(self);
  worker.state = Worker::State::Blocked;
  worker.ready = std::move(ready);
  worker.blockedUntil = until;
  running_ = 0;
  changed_.notify_all();
  changed_.wait(lock, [&] { return running_ == self; });
  worker.ready = {};
  worker.blockedUntil = std::numeric_limits<std::int64_t>::max();
  if (worker.terminated) throw WorkerTerminated{};
}

void VirtualScheduler::WaitUntil(std::function<bool()> ready) {
  Guard lock(mutex_);
  if (!ready()) BlockWorker(lock, std::move(ready));
}

// Set and waited for under the scheduler's own lock.
class VirtualScheduler::SchedulerSignal final : public zorvane::Signal {
 public:
  explicit SchedulerSignal(VirtualScheduler& scheduler) : scheduler_(scheduler) {}
  void Set() override {
    Guard lock(scheduler_.mutex_);
    set_ = true;
  }
  bool WaitFor(int timeoutMs) override {
    Guard lock(scheduler_.mutex_);
    if (currentWorker == 0) throw std::logic_error("only workers wait for a signal");
    if (!set_) scheduler_.BlockWorker(lock, [this] { return set_; }, scheduler_.now_ + timeoutMs);
    return std::exchange(set_, false);
  }

 private:
  VirtualScheduler& scheduler_;
  bool set_ = false;
};

std::unique_ptr<Signal> VirtualScheduler::CreateSignal() {
  return std::make_unique<SchedulerSignal>(*this);
}

bool VirtualScheduler::OnWorker() const {
  Guard lock(mutex_);
  return currentWorker != 0 && workers_.contains(currentWorker);
}

void VirtualScheduler::Spend(int milliseconds) {
  if (currentWorker != 0) {
    Sleep(milliseconds);
    return;
  }
  Guard lock(mutex_);
  const std::int64_t until = now_ + milliseconds;
  RunUntilIdle(lock);
  std::int64_t when = 0;
  while (NextEvent(until, when, false)) {
    now_ = std::max(now_, when);
    WakeSleepers(now_);
    RunUntilIdle(lock);
  }
  now_ = std::max(now_, until);
}

void VirtualScheduler::Sleep(int milliseconds) {
  const int self = currentWorker;
  if (self == 0) {  // the UI thread does not handle messages while it sleeps
    Spend(milliseconds);
    return;
  }
  Guard lock(mutex_);
  Worker& worker = *workers_.at(self);
  worker.state = Worker::State::Sleeping;
  worker.wakeAt = now_ + milliseconds;
  running_ = 0;
  changed_.notify_all();
  changed_.wait(lock, [&] { return running_ == self; });
  if (worker.terminated) throw WorkerTerminated{};
}

void VirtualScheduler::TrimWorkingSet() {
  Guard lock(mutex_);
  ++trims_;
}

bool VirtualScheduler::NextEvent(std::int64_t limit, std::int64_t& when, bool timers) const {
  std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
  for (const auto& [id, worker] : workers_) {
    if (worker->state == Worker::State::Sleeping) earliest = std::min(earliest, worker->wakeAt);
    if (worker->state == Worker::State::Blocked) earliest = std::min(earliest, worker->blockedUntil);
  }
  if (timers) {
    for (const auto& [key, timer] : timers_) earliest = std::min(earliest, timer.due);
  }
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

void VirtualScheduler::FireTimersDueBy(Guard& lock, std::int64_t time) {
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
  Guard lock(mutex_);
  RunUntilIdleServing(lock);
  std::int64_t when = 0;
  while (NextEvent(time, when)) {
    now_ = std::max(now_, when);
    WakeSleepers(now_);
    RunUntilIdleServing(lock);
    FireTimersDueBy(lock, now_);
    RunUntilIdleServing(lock);
  }
  now_ = std::max(now_, time);
}

void VirtualScheduler::AdvanceBy(std::int64_t milliseconds) { AdvanceTo(Now() + milliseconds); }

std::int64_t VirtualScheduler::Now() const {
  Guard lock(mutex_);
  return now_;
}

WaitResult VirtualScheduler::WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) {
  Guard lock(mutex_);
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
  Guard lock(mutex_);
  timers_[key] = Timer{intervalMs, now_ + intervalMs, std::move(callback)};
}

void VirtualScheduler::KillTimer(std::uintptr_t key) {
  Guard lock(mutex_);
  timers_.erase(key);
}

bool VirtualScheduler::HasTimer(std::uintptr_t key) const {
  Guard lock(mutex_);
  return timers_.contains(key);
}

void VirtualScheduler::FireDueTimers() {
  Guard lock(mutex_);
  FireTimersDueBy(lock, now_);
}

void VirtualScheduler::SetInputCheck(std::function<bool()> inputPending) {
  Guard lock(mutex_);
  inputPending_ = std::move(inputPending);
}

void VirtualScheduler::SetIdleWork(std::function<bool()> idleWork) {
  Guard lock(mutex_);
  idleWork_ = std::move(idleWork);
}

int VirtualScheduler::TrimCount() const {
  Guard lock(mutex_);
  return trims_;
}

int VirtualScheduler::OpenHandleCount() const {
  Guard lock(mutex_);
  int open = 0;
  for (const auto& [id, worker] : workers_) open += worker->handleOpen ? 1 : 0;
  return open;
}

int VirtualScheduler::TerminationCount() const {
  Guard lock(mutex_);
  return terminations_;
}

int VirtualScheduler::LiveWorkerCount() const {
  Guard lock(mutex_);
  int live = 0;
  for (const auto& [id, worker] : workers_) live += worker->state != Worker::State::Ended ? 1 : 0;
  return live;
}

}  // namespace zorvane::support
