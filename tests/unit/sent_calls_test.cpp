// The in-memory twin makes workers wait for the UI thread as Windows does: a worker's call
// that changes a window of the UI thread runs only when the UI thread handles messages. A
// UI thread that would then wait for ever gets a clear failure, not a hang.
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "platform/memory/memory_drawing.h"
#include "tests/support/driven_window_system.h"
#include "tests/support/real_threads.h"
#include "tests/support/virtual_scheduler.h"

namespace zorvane::memory {
namespace {

const ControlSpec kControls[] = {
    {.name = "box", .kind = ControlKind::EditBox, .rect = {0, 0, 40, 20}},
};
const WindowSpec kWindow{.name = "w", .size = {100, 50}, .controls = kControls};

class SentCallsTest : public ::testing::Test {
 protected:
  ~SentCallsTest() override { scheduler.EndAllWorkers(); }
  ControlHandle Box() const { return ui.FindControl(window, "box"); }

  support::VirtualScheduler scheduler;
  support::DrivenWindowSystem ui{{1920, 1080}, &scheduler};
  MemoryDrawing drawing{ui};
  WindowHandle window = ui.CreateWindowFromLayout(kWindow, {});
};

TEST_F(SentCallsTest, AWorkersWriteWaitsUntilTheUiThreadHandlesMessages) {
  bool returned = false;
  scheduler.StartDetachedThread([&] {
    ui.SetControlText(Box(), "7");
    returned = true;
  });
  scheduler.Spend(500);  // the UI thread is busy: the worker is stuck in its call
  EXPECT_EQ(ui.ControlText(Box()), "");
  EXPECT_FALSE(returned);
  EXPECT_EQ(ui.SentCallCount(), 1);
  EXPECT_TRUE(ui.HasPendingInput());
  ui.PumpPendingMessages();
  scheduler.RunUntilIdle();
  EXPECT_EQ(ui.ControlText(Box()), "7");
  EXPECT_TRUE(returned);
}

TEST_F(SentCallsTest, AnIdleUiThreadHandlesThemAsTimeMovesOn) {
  scheduler.StartDetachedThread([&] {
    scheduler.Sleep(100);
    ui.SetWindowBounds(window, {1, 2, 30, 40});
    ui.ShowWindow(window, true);
  });
  scheduler.AdvanceTo(100);
  EXPECT_EQ(ui.WindowBounds(window), (Rect{1, 2, 30, 40}));
  EXPECT_TRUE(ui.IsWindowVisible(window));
  EXPECT_EQ(scheduler.LiveWorkerCount(), 0);
}

TEST_F(SentCallsTest, AWaitOfTheUiThreadEndsForASentCall) {
  OwnedThread worker = scheduler.StartThread([&] { ui.SetControlText(Box(), "1"); });
  EXPECT_EQ(scheduler.WaitForThreadOrInput(worker.get(), 1000), WaitResult::InputArrived);
  EXPECT_EQ(scheduler.Now(), 0);
  ui.PumpPendingMessages();
  EXPECT_EQ(scheduler.WaitForThreadOrInput(worker.get(), 1000), WaitResult::ThreadEnded);
  worker.reset();
}

TEST_F(SentCallsTest, StylesWaitForTheUiThreadButOpacityAloneDoesNot) {
  drawing.ApplyLayered(window, kWhite, 0, LayeredFlags::ColourKey);
  scheduler.StartDetachedThread([&] {
    drawing.SetLayeredAttributes(window, 0, 130, LayeredFlags::Alpha);
    drawing.ApplyLayered(window, 0, 80, LayeredFlags::Alpha);
  });
  scheduler.Spend(10);
  EXPECT_EQ(drawing.Layered(window).alpha, 130);
  EXPECT_EQ(ui.SentCallCount(), 1);
  ui.PumpPendingMessages();
  scheduler.RunUntilIdle();
  EXPECT_EQ(drawing.Layered(window).alpha, 80);
}

TEST_F(SentCallsTest, OpacityNeedsTheLayeredStyleFirst) {
  EXPECT_FALSE(drawing.SetLayeredAttributes(window, 0, 130, LayeredFlags::Alpha));
  EXPECT_FALSE(drawing.Layered(window).layered);
}

TEST_F(SentCallsTest, UiThreadWaitingForALockWhoseHolderWaitsForItIsADeadlock) {
  const auto lock = scheduler.CreateLock();
  scheduler.StartDetachedThread([&] {
    std::lock_guard held(*lock);
    ui.SetControlText(Box(), "never");
  });
  scheduler.Spend(1);
  EXPECT_THROW(lock->lock(), Deadlock);
  scheduler.EndAllWorkers();  // the holder unwinds while its lock still exists
}

TEST_F(SentCallsTest, UiThreadWaitsForALockWhileItsHolderSleeps) {
  const auto lock = scheduler.CreateLock();
  scheduler.StartDetachedThread([&] {
    std::lock_guard held(*lock);
    scheduler.Sleep(250);
  });
  scheduler.Spend(1);
  lock->lock();
  EXPECT_EQ(scheduler.Now(), 250);
  lock->unlock();
}

TEST_F(SentCallsTest, WorkersTakeTurnsAtALock) {
  const auto lock = scheduler.CreateLock();
  std::vector<int> order;
  for (int i = 0; i < 2; ++i) {
    scheduler.StartDetachedThread([&, i] {
      std::lock_guard held(*lock);
      order.push_back(i);
      scheduler.Sleep(100);
      order.push_back(i);
    });
  }
  scheduler.AdvanceTo(1000);
  EXPECT_EQ(order, (std::vector<int>{0, 0, 1, 1}));
}

TEST_F(SentCallsTest, ATerminatedWorkersCallNeverRuns) {
  OwnedThread worker = scheduler.StartThread([&] { ui.SetControlText(Box(), "late"); });
  scheduler.Spend(1);
  scheduler.TerminateThread(worker.get());
  worker.reset();
  ui.PumpPendingMessages();
  EXPECT_EQ(ui.ControlText(Box()), "");
}

TEST(SentCallsRealThreads, AWorkersWriteRunsOnTheUiThread) {
  support::VirtualScheduler timers;
  support::DrivenWindowSystem ui{{1920, 1080}, &timers};
  const WindowHandle window = ui.CreateWindowFromLayout(kWindow, {});
  support::RealThreads threads;
  threads.SetInputCheck([&] { return ui.HasPendingInput(); });
  std::thread::id ranOn;
  OwnedThread worker = threads.StartThread([&] {
    ui.RunOnUiThread([&] { ranOn = std::this_thread::get_id(); });
    ui.SetControlText(ui.FindControl(window, "box"), "9");
  });
  while (threads.QueryThread(worker.get()) == ThreadState::Running) {
    if (threads.WaitForThreadOrInput(worker.get(), 1000) == WaitResult::InputArrived) {
      ui.PumpPendingMessages();
    }
  }
  worker.reset();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  EXPECT_EQ(ui.ControlText(ui.FindControl(window, "box")), "9");
}

}  // namespace
}  // namespace zorvane::memory
