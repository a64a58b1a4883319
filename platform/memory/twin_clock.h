// The time the twin's windows, timers and sound run on, and the hooks by which its windows
// behave across threads as Win32's do: a worker's call waits until the UI thread handles it,
// and the UI thread, idle in its message loop, handles what was sent to it. The tests bring
// the clock (virtual time, one worker running at a time), so that a run is exact and
// repeatable; the twin only asks it.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

namespace zorvane::memory {

// The UI thread would wait for ever: what it waits for can only come from itself.
class Deadlock : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class TwinClock {
 public:
  virtual ~TwinClock() = default;

  // Milliseconds since the clock was made.
  virtual std::int64_t Now() const = 0;
  // The calling thread is busy (a worker: asleep) for `milliseconds`.
  virtual void Sleep(int milliseconds) = 0;
  // The calling thread is busy for `milliseconds`: on the UI thread, the workers go on
  // meanwhile but no timer fires and nothing sent to it is handled.
  virtual void Spend(int milliseconds) = 0;
  // Whether the caller is a worker (not the UI thread).
  virtual bool OnWorker() const = 0;
  // Blocks the calling worker until `ready` holds; `ready` must take no lock (read an atomic).
  virtual void WaitUntil(std::function<bool()> ready) = 0;

  // Periodic timers whose callbacks run on the UI thread; setting one again under the same
  // key restarts it.
  virtual void SetTimer(std::uintptr_t key, int intervalMs, std::function<void()> callback) = 0;
  virtual void KillTimer(std::uintptr_t key) = 0;
  virtual bool HasTimer(std::uintptr_t key) const = 0;
  // Fires, on the calling thread, every timer due now (messages pumped while time stands).
  virtual void FireDueTimers() = 0;

  // Whether a message waits for the UI thread (the waits for a thread or input ask it).
  virtual void SetInputCheck(std::function<bool()> inputPending) = 0;
  // What the UI thread does while idle in its message loop: handle what workers sent it.
  virtual void SetIdleWork(std::function<bool()> idleWork) = 0;
};

}  // namespace zorvane::memory
