// Threads on the real backend under Wine: a worker's write to a control of the UI thread is
// a message the UI thread must handle, and the UI thread's waits must handle it at once.
// The display is kept awake by the UI thread's own execution state.
#include "platform/win32/win32_threads.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>

#include "core/thread_routines.h"
#include "platform/win32/audio_thread_priority.h"
#include "platform/win32/win32_display_power.h"
#include "platform/win32/win32_window_system.h"

namespace zorvane::win32 {
namespace {

const ControlSpec kControls[] = {
    {.name = "box", .kind = ControlKind::EditBox, .rect = {10, 10, 60, 24}},
};

class Win32ThreadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    layout = {.name = "ThreadsWindow", .size = {100, 60}, .controls = kControls};
    window = ui.CreateWindowFromLayout(layout, {});
    ASSERT_TRUE(window);
  }
  void TearDown() override { ui.DestroyWindow(window); }
  ControlHandle Box() const { return ui.FindControl(window, "box"); }
  static std::chrono::milliseconds Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
  }

  Win32WindowSystem ui;
  Win32Threads threads;
  WindowSpec layout;
  WindowHandle window;
};

// With a wait that ignored sent messages the worker would sit in its write until the wait
// timed out, ten seconds here.
TEST_F(Win32ThreadsTest, WaitingForAWorkerHandlesItsWriteAtOnce) {
  OwnedThread worker = threads.StartThread([&] { ui.SetControlText(Box(), "42"); });
  ASSERT_TRUE(worker);
  const auto start = std::chrono::steady_clock::now();
  WaitThreadPumping(threads, ui, worker, 10000, true);
  EXPECT_LT(Since(start).count(), 5000);
  EXPECT_EQ(threads.QueryThread(worker.get()), ThreadState::Ended);
  EXPECT_EQ(ui.ControlText(Box()), "42");
  worker.reset();
}

TEST_F(Win32ThreadsTest, RunOnUiThreadRunsThereAndWaits) {
  const DWORD uiThread = GetCurrentThreadId();
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> returned{false};
  OwnedThread worker = threads.StartThread([&] {
    ui.RunOnUiThread([&] { ranOn = GetCurrentThreadId(); });
    returned = ranOn.load() != 0;  // the call had run when RunOnUiThread came back
  });
  WaitThreadPumping(threads, ui, worker, 10000, true);
  worker.reset();
  EXPECT_EQ(ranOn.load(), uiThread);
  EXPECT_TRUE(returned.load());
  // On the UI thread itself it runs at once.
  bool here = false;
  ui.RunOnUiThread([&] { here = true; });
  EXPECT_TRUE(here);
}

TEST_F(Win32ThreadsTest, LockKeepsAWorkerOutWhileHeld) {
  const auto lock = threads.CreateLock();
  std::atomic<bool> entered{false};
  OwnedThread worker;
  {
    std::lock_guard held(*lock);
    worker = threads.StartThread([&] {
      std::lock_guard inside(*lock);
      entered = true;
    });
    Sleep(100);
    EXPECT_FALSE(entered.load());
  }
  WaitThreadPumping(threads, ui, worker, 10000, true);
  worker.reset();
  EXPECT_TRUE(entered.load());
}

// The threads that keep the countdown's time run above normal programs, the one that feeds
// the sound above them, and each puts back what it had once the sound is done.
TEST(Win32ThreadPriorityTest, TimingThreadsAreRaisedAndSoundThreadsPutTheirsBack) {
  std::atomic<int> onTime = 0, feeding = 0, after = 0;
  Win32Threads threads;
  OwnedThread worker = threads.StartThread([&] {
    threads.KeepCurrentThreadOnTime();
    onTime = GetThreadPriority(GetCurrentThread());
    {
      AudioThreadPriority sound;
      feeding = GetThreadPriority(GetCurrentThread());
    }
    after = GetThreadPriority(GetCurrentThread());
  });
  ASSERT_TRUE(worker);
  WaitForSingleObject(reinterpret_cast<HANDLE>(worker.get().value), 5000);
  EXPECT_EQ(onTime, THREAD_PRIORITY_HIGHEST);
  EXPECT_EQ(feeding, THREAD_PRIORITY_TIME_CRITICAL);
  EXPECT_EQ(after, THREAD_PRIORITY_HIGHEST);
}

// The thread's execution state, read without changing it.
EXECUTION_STATE CurrentExecutionState() {
  const EXECUTION_STATE state = SetThreadExecutionState(ES_CONTINUOUS);
  SetThreadExecutionState(state | ES_CONTINUOUS);
  return state;
}

TEST(Win32DisplayPowerTest, KeepsTheDisplayAwakeThenGivesBackWhatWasAskedBefore) {
  constexpr EXECUTION_STATE kAwake = ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED;
  for (const EXECUTION_STATE before : {EXECUTION_STATE{ES_CONTINUOUS},
                                       EXECUTION_STATE{ES_CONTINUOUS | ES_SYSTEM_REQUIRED}}) {
    SetThreadExecutionState(before);
    Win32DisplayPower power;
    power.KeepAwake(true);
    EXPECT_EQ(CurrentExecutionState(), kAwake);
    power.KeepAwake(true);  // asked twice, given back once
    power.KeepAwake(false);
    EXPECT_EQ(CurrentExecutionState(), before);
  }
  SetThreadExecutionState(ES_CONTINUOUS);
}

}  // namespace
}  // namespace zorvane::win32
