// Short-lived worker threads, their handles, sleeps, and the waits of the UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

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

class Threads {
 public:
  virtual ~Threads() = default;

  // Starts `body` on a new thread and returns its handle, which the caller must close.
  // A thread that cannot be started gives a zero handle.
  virtual ThreadHandle StartThread(std::function<void()> body) = 0;
  // Starts `body` on a new thread whose handle is closed at once: nobody waits for it.
  void StartDetachedThread(std::function<void()> body) {
    if (const ThreadHandle handle = StartThread(std::move(body))) CloseThread(handle);
  }
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
  virtual std::unique_ptr<Lock> CreateLock() = 0;
};

}  // namespace zorvane
