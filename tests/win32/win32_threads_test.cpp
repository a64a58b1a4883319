// Threads on the real backend under Wine, where only it has them: thread priorities, and
// the display kept awake by the UI thread's own execution state.
#include "platform/win32/win32_threads.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "platform/win32/audio_thread_priority.h"
#include "platform/win32/win32_display_power.h"

namespace zorvane::win32 {
namespace {

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
