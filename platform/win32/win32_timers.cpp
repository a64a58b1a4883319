// Timers that keep their phase: a window's timers live in its record, and after every tick
// the system timer is armed for exactly the next due time.
#include "platform/win32/win32_window_state.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "platform/win32/handle_casts.h"

namespace zorvane::win32 {

// Runs the tick, then arms the system timer for exactly the next due time. When the tick
// came later than the following due time (the machine stalled), the phase starts afresh
// from now: the countdown is delayed, but never catches up with a burst of ticks.
void Win32WindowSystem::State::OnTimer(WindowRecord& window, int id) const {
  const HWND hwnd = window.hwnd;
  auto found = window.timers.find(id);
  if (found == window.timers.end()) return;
  const std::uint64_t generation = found->second.generation;
  std::function<void()> callback = found->second.callback;
  ++found->second.fired;
  callback();

  // The tick may have destroyed the window or set the timer again.
  WindowRecord* after = RecordOf(hwnd);
  if (after == nullptr) return;
  found = after->timers.find(id);
  if (found == after->timers.end() || found->second.generation != generation) return;
  TimerRecord& timer = found->second;
  using std::chrono::milliseconds;
  const auto now = std::chrono::steady_clock::now();
  auto due = timer.start + milliseconds(timer.interval) * (timer.fired + 1);
  if (due <= now) {
    timer.start = now + milliseconds(timer.interval) - milliseconds(timer.interval) * (timer.fired + 1);
    due = now + milliseconds(timer.interval);
  }
  const auto delay = std::chrono::duration_cast<milliseconds>(due - now).count();
  ::SetTimer(hwnd, static_cast<UINT_PTR>(id), static_cast<UINT>(std::max<long long>(delay, USER_TIMER_MINIMUM)),
             nullptr);
}

void Win32WindowSystem::SetTimer(WindowHandle window, int id, int intervalMs,
                                 std::function<void()> callback) {
  WindowRecord* record = state_->RecordOf(AsHwnd(window));
  if (record == nullptr) return;
  record->timers[id] = TimerRecord{intervalMs, std::chrono::steady_clock::now(), 0,
                                   state_->nextTimerGeneration++, std::move(callback)};
  ::SetTimer(AsHwnd(window), static_cast<UINT_PTR>(id), static_cast<UINT>(intervalMs), nullptr);
}

void Win32WindowSystem::KillTimer(WindowHandle window, int id) {
  ::KillTimer(AsHwnd(window), static_cast<UINT_PTR>(id));
  if (WindowRecord* record = state_->RecordOf(AsHwnd(window)); record != nullptr) {
    record->timers.erase(id);
  }
}

}  // namespace zorvane::win32
