// Virtual time must be exact and repeatable: workers run one at a time in a fixed order,
// sleepers wake and timers fire in time order, and waits end for the right reason.
#include "tests/support/virtual_scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorvane::memory {
namespace {

class VirtualSchedulerTest : public ::testing::Test {
 protected:
  void Log(std::string entry) {
    std::lock_guard lock(logMutex);
    log.push_back(std::to_string(scheduler.Now()) + ":" + entry);
  }

  std::mutex logMutex;
  std::vector<std::string> log;
  support::VirtualScheduler scheduler;  // last: its workers go before the log they write
};

TEST_F(VirtualSchedulerTest, WorkersRunOnlyWhenLetAndInStartOrder) {
  scheduler.StartDetachedThread([&] { Log("a"); });
  scheduler.StartDetachedThread([&] { Log("b"); });
  EXPECT_TRUE(log.empty());
  scheduler.RunUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"0:a", "0:b"}));
}

TEST_F(VirtualSchedulerTest, SleepersAndTimersInterleaveInTimeOrder) {
  scheduler.StartDetachedThread([&] {
    for (int i = 0; i < 3; ++i) {
      Log("click");
      scheduler.Sleep(i == 0 ? 1000 : 500);
    }
  });
  scheduler.SetTimer(1, 1000, [&] { Log("tick"); });
  scheduler.AdvanceTo(2500);
  EXPECT_EQ(log, (std::vector<std::string>{"0:click", "1000:click", "1000:tick", "1500:click",
                                           "2000:tick"}));
  EXPECT_EQ(scheduler.Now(), 2500);
}

TEST_F(VirtualSchedulerTest, TimerSetAgainRestartsAndKilledTimerStaysQuiet) {
  scheduler.SetTimer(7, 1000, [&] { Log("tick"); });
  scheduler.AdvanceTo(600);
  scheduler.SetTimer(7, 1000, [&] { Log("tock"); });
  scheduler.AdvanceTo(1700);
  scheduler.KillTimer(7);
  scheduler.AdvanceTo(5000);
  EXPECT_EQ(log, (std::vector<std::string>{"1600:tock"}));
  EXPECT_FALSE(scheduler.HasTimer(7));
}

TEST_F(VirtualSchedulerTest, TerminatedSleeperUnwindsItsStack) {
  bool cleanedUp = false;
  struct Guard {
    bool& flag;
    ~Guard() { flag = true; }
  };
  OwnedThread thread = scheduler.StartThread([&] {
    Guard guard{cleanedUp};
    scheduler.Sleep(10000);
    Log("never");
  });
  scheduler.RunUntilIdle();
  scheduler.TerminateThread(thread.get());
  EXPECT_TRUE(cleanedUp);
  EXPECT_EQ(scheduler.TerminationCount(), 1);
  scheduler.AdvanceTo(20000);
  EXPECT_TRUE(log.empty());
}

// A wait moves virtual time on to what ends it; a timer that falls due is input.
TEST_F(VirtualSchedulerTest, AWaitMovesTimeToWhatEndsIt) {
  OwnedThread quick = scheduler.StartThread([&] { scheduler.Sleep(300); });
  EXPECT_EQ(scheduler.WaitForThreadOrInput(quick.get(), 1000), WaitResult::ThreadEnded);
  EXPECT_EQ(scheduler.Now(), 300);

  OwnedThread slow = scheduler.StartThread([&] { scheduler.Sleep(5000); });
  EXPECT_EQ(scheduler.WaitForThreadOrInput(slow.get(), 1000), WaitResult::TimedOut);
  EXPECT_EQ(scheduler.Now(), 1300);

  scheduler.SetTimer(1, 1000, [] {});
  EXPECT_EQ(scheduler.WaitForThreadOrInput(slow.get(), 1000), WaitResult::InputArrived);
  EXPECT_EQ(scheduler.Now(), 2300);  // the timer set at 1300 fell due
}

// On virtual time a signal's waiter wakes exactly when it is set, or at its timeout.
TEST_F(VirtualSchedulerTest, ASignalWakesItsWaiterAtOnceOrExactlyAtTheTimeout) {
  const std::unique_ptr<Signal> signal = scheduler.CreateSignal();
  std::vector<std::pair<bool, std::int64_t>> woke;
  scheduler.StartDetachedThread([&] {
    for (int i = 0; i < 3; ++i) {
      const bool set = signal->WaitFor(1000);
      woke.emplace_back(set, scheduler.Now());
    }
  });
  scheduler.AdvanceTo(300);
  signal->Set();
  scheduler.AdvanceTo(5000);
  EXPECT_EQ(woke, (std::vector<std::pair<bool, std::int64_t>>{{true, 300}, {false, 1300},
                                                               {false, 2300}}));
}

TEST_F(VirtualSchedulerTest, ClosedHandlesAreCountedAndFinishedWorkersReaped) {
  for (int i = 0; i < 50; ++i) scheduler.StartDetachedThread([] {});
  OwnedThread kept = scheduler.StartThread([] {});
  scheduler.RunUntilIdle();
  EXPECT_EQ(scheduler.OpenHandleCount(), 1);
  EXPECT_EQ(scheduler.LiveWorkerCount(), 0);
  kept.reset();
  EXPECT_EQ(scheduler.OpenHandleCount(), 0);
}

}  // namespace
}  // namespace zorvane::memory
