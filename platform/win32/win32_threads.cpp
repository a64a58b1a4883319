#include "platform/win32/win32_threads.h"

#include <windows.h>

#include <memory>

#include "platform/win32/scoped.h"

namespace zorvane::win32 {
namespace {

HANDLE AsHandle(ThreadHandle thread) { return reinterpret_cast<HANDLE>(thread.value); }

// The body travels to the new thread on the heap; the thread owns and frees it.
DWORD WINAPI RunBody(LPVOID parameter) {
  std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
  (*body)();
  return 0;
}

class CriticalSection final : public Lock {
 public:
  CriticalSection() { InitializeCriticalSection(&section_); }
  ~CriticalSection() override { DeleteCriticalSection(&section_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  void lock() override { EnterCriticalSection(&section_); }
  void unlock() override { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

}  // namespace

ThreadHandle Win32Threads::StartThreadHandle(std::function<void()> body) {
  auto owned = std::make_unique<std::function<void()>>(std::move(body));
  HANDLE handle = CreateThread(nullptr, 0, RunBody, owned.get(), 0, nullptr);
  if (handle == nullptr) return {};
  owned.release();  // now the thread's
  return ThreadHandle{reinterpret_cast<std::uintptr_t>(handle)};
}

ThreadState Win32Threads::QueryThread(ThreadHandle thread) const {
  DWORD exitCode = 0;
  if (!thread || !GetExitCodeThread(AsHandle(thread), &exitCode)) return ThreadState::Unknown;
  return exitCode == STILL_ACTIVE ? ThreadState::Running : ThreadState::Ended;
}

void Win32Threads::CloseThread(ThreadHandle thread) {
  if (thread) CloseHandle(AsHandle(thread));
}

void Win32Threads::TerminateThread(ThreadHandle thread) {
  if (thread) ::TerminateThread(AsHandle(thread), 0);
}

WaitResult Win32Threads::WaitForThreadOrInput(ThreadHandle thread, int timeoutMs) {
  HANDLE handle = AsHandle(thread);
  // QS_ALLINPUT, not QS_ALLEVENTS: a message sent by a worker (a redraw writing a control of
  // this thread) must end the wait too, or that worker would sit blocked until the timeout,
  // and the thread waited for might well be that very worker.
  switch (MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(timeoutMs), QS_ALLINPUT)) {
    case WAIT_OBJECT_0: return WaitResult::ThreadEnded;
    case WAIT_OBJECT_0 + 1: return WaitResult::InputArrived;
    case WAIT_TIMEOUT: return WaitResult::TimedOut;
    default: return WaitResult::Failed;
  }
}

void Win32Threads::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

void Win32Threads::KeepCurrentThreadOnTime() {
  // Above the normal programs, below the time-critical sound.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
}

void Win32Threads::TrimWorkingSet() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

std::unique_ptr<Lock> Win32Threads::CreateLock() { return std::make_unique<CriticalSection>(); }

namespace {
class Event final : public Signal {
 public:
  void Set() override { SetEvent(event_.get()); }
  bool WaitFor(int timeoutMs) override {
    return WaitForSingleObject(event_.get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
  }

 private:
  ScopedHandle event_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};
}  // namespace

std::unique_ptr<Signal> Win32Threads::CreateSignal() { return std::make_unique<Event>(); }

}  // namespace zorvane::win32
