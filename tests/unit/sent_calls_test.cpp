// The in-memory twin makes workers wait for the UI thread as Windows does: a worker's call
// that changes a window of the UI thread runs only when the UI thread handles messages. A
// UI thread that would then wait for ever gets a clear failure, not a hang.
#include <gtest/gtest.h>

#include <mutex>

#include "platform/memory/memory_drawing.h"
#include "tests/support/driven_window_system.h"
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

TEST_F(SentCallsTest, ATerminatedWorkersCallNeverRuns) {
  OwnedThread worker = scheduler.StartThread([&] { ui.SetControlText(Box(), "late"); });
  scheduler.Spend(1);
  scheduler.TerminateThread(worker.get());
  worker.reset();
  ui.PumpPendingMessages();
  EXPECT_EQ(ui.ControlText(Box()), "");
}

}  // namespace
}  // namespace zorvane::memory
