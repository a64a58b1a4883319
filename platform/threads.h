// Short-lived worker threads, their handles, sleeps, and the waits of the UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace zorvane {

struct ThreadHandle {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(const ThreadHandle&, const ThreadHandle&) = default;
};

// What the exit code of a thread handle says.
enum class ThreadState {
  Unknown = 0,  // no valid handle
  Ended = 1,
  Running = 2,
};

enum class WaitResult {
  ThreadEnded,
  TimedOut,
  InputArrived,  // a message for the UI thread came in before either
  Failed,
};

// A lock that workers and the UI thread share (std::lock_guard takes it). Hold it only
// around calls that wait for nothing: a worker that holds it while it waits for the UI
// thread, and a UI thread that waits for the lock, would wait for each other for ever.
class Lock {
 public:
  virtual ~Lock() = default;
  virtual void lock() = 0;
  virtual void unlock() = 0;
};

// A wake-up for one waiting worker: Set lets the next wait (or the one under way) through,
// once; several Sets before a wait count as one.
class Signal {
 public:
  virtual ~Signal() = default;
  virtual void Set() = 0;
  // Waits until the signal is set, at most `timeoutMs`; returns whether it was set.
  // Only workers wait for a signal.
  virtual bool WaitFor(int timeoutMs) = 0;
};

class Threads;

// A started thread's handle and the duty to close it, which moves with it: the handle is
// closed when its owner is reset, given another or goes. Closing a handle lets the thread
// run on; nobody can wait for it any more. A zero handle (no thread) owes nothing.
class OwnedThread {
 public:
  OwnedThread() = default;
  OwnedThread(Threads& threads, ThreadHandle handle) : threads_(&threads), handle_(handle) {}
  OwnedThread(OwnedThread&& other) noexcept
      : threads_(other.threads_), handle_(std::exchange(other.handle_, {})) {}
  OwnedThread& operator=(OwnedThread&& other) noexcept {
    if (this != &other) {
      reset();
      threads_ = other.threads_;
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  ~OwnedThread() { reset(); }

  ThreadHandle get() const { return handle_; }
  explicit operator bool() const { return static_cast<bool>(handle_); }
  // Closes the handle now.
  inline void reset();

 private:
  Threads* threads_ = nullptr;
  ThreadHandle handle_;
};

class Threads {
 public:
  virtual ~Threads() = default;

  // Starts `body` on a new thread. A thread that cannot be started gives an empty owner.
  OwnedThread StartThread(std::function<void()> body) {
    return OwnedThread(*this, StartThreadHandle(std::move(body)));
  }
  // Starts `body` on a new thread whose handle is closed at once: nobody waits for it.
  void StartDetachedThread(std::function<void()> body) { StartThread(std::move(body)); }
  virtual ThreadState QueryThread(ThreadHandle thread) const = 0;
  virtual void CloseThread(ThreadHandle thread) = 0;
  // The last resort for a thread that did not end in time.
  virtual void TerminateThread(ThreadHandle thread) = 0;
  // Waits until the thread ends, a message arrives for the calling (UI) thread (posted, or
  // sent by a worker that waits for it to be handled), or the timeout passes.
  virtual WaitResult WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) = 0;
  virtual void Sleep(int milliseconds) = 0;
  // Asks the system to take as many pages as it can out of the process's working set.
  virtual void TrimWorkingSet() = 0;
  // Raises the calling thread above the programs of normal priority, so that a busy
  // machine does not make the countdown's seconds or clicks late: for the threads that keep
  // its time (the UI thread with the timer, the redraw that shows each second, the
  // warning ticker). Nothing where threads have no priorities.
  virtual void KeepCurrentThreadOnTime() {}
  virtual std::unique_ptr<Lock> CreateLock() = 0;
  virtual std::unique_ptr<Signal> CreateSignal() = 0;

 protected:
  // Starts `body` on a new thread and returns its handle, which the caller must close; a
  // zero handle when it cannot be started. StartThread gives the handle an owner.
  virtual ThreadHandle StartThreadHandle(std::function<void()> body) = 0;
};

inline void OwnedThread::reset() {
  if (handle_) threads_->CloseThread(std::exchange(handle_, {}));
}

}  // namespace zorvane
