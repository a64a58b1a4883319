// What every Threads does, on virtual time as with threads that really race: a thread's
// handle and state, what ends the UI thread's wait, locks, signals, sleeps, termination.
// Termination differs where no case looks: the twin unwinds the worker, Win32 does not.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/threads.h"
#include "platform/window_system.h"

namespace zorvane::contract {

inline const ControlSpec kBox[] = {
    {.name = "box", .kind = ControlKind::EditBox, .rect = {10, 10, 60, 24}}};
inline const WindowSpec kHiddenWindow{
    .name = "Hidden", .size = {100, 60}, .visible = false, .controls = kBox};
inline constexpr int kNever = 60000;  // a wait that no passing case meets

// A World has: Workers(), the Threads; Ui(), whose UI thread is the test's; kTerminates,
// whether TerminateThread stops a thread that waits; NowMs() where time is virtual.
template <typename World>
class ThreadsContract : public ::testing::Test {
 protected:
  ThreadsContract() { ui_.PumpPendingMessages(); }  // what the creation queued ends no wait
  ~ThreadsContract() override { ui_.DestroyWindow(window_); }
  std::int64_t Now() {
    if constexpr (requires { world_.NowMs(); }) return world_.NowMs();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  // Waits for the worker as the program does, handling whatever arrives meanwhile.
  WaitResult Join(const OwnedThread& worker) {
    for (;;) {
      const WaitResult result = threads_.WaitForThreadOrInput(worker.get(), 10000);
      if (result != WaitResult::InputArrived) return result;
      ui_.PumpPendingMessages();
    }
  }

  World world_;
  Threads& threads_ = world_.Workers();
  WindowSystem& ui_ = world_.Ui();
  WindowHandle window_ = ui_.CreateWindowFromLayout(kHiddenWindow, {});
  ControlHandle box_ = ui_.FindControl(window_, "box");
};
TYPED_TEST_SUITE_P(ThreadsContract);

TYPED_TEST_P(ThreadsContract, AThreadsHandleSaysWhetherItRunsUntilClosedAndSleepsLast) {
  auto& threads = this->threads_;
  const std::unique_ptr<Signal> go = threads.CreateSignal();
  OwnedThread worker = threads.StartThread([&] {
    go->WaitFor(kNever);
    threads.Sleep(100);
  });
  EXPECT_EQ(threads.QueryThread(worker.get()), ThreadState::Running);
  const std::int64_t start = this->Now();
  go->Set();
  EXPECT_EQ(threads.WaitForThreadOrInput(worker.get(), 10000), WaitResult::ThreadEnded);
  EXPECT_GE(this->Now() - start, 100);
  EXPECT_LT(this->Now() - start, 10000);
  EXPECT_EQ(threads.QueryThread(worker.get()), ThreadState::Ended);
  const ThreadHandle closed = std::exchange(worker, {}).get();
  EXPECT_EQ(threads.QueryThread(closed), ThreadState::Unknown);
  EXPECT_EQ(threads.WaitForThreadOrInput(closed, 100), WaitResult::Failed);
  EXPECT_EQ(threads.QueryThread(ThreadHandle{}), ThreadState::Unknown);
  const std::int64_t slept = this->Now();
  threads.Sleep(50);  // the UI thread's too
  EXPECT_GE(this->Now() - slept, 50);

  if constexpr (TypeParam::kTerminates) {
    OwnedThread stuck = threads.StartThread([&] { go->WaitFor(kNever); });
    threads.Sleep(10);
    threads.TerminateThread(stuck.get());
    EXPECT_EQ(this->Join(stuck), WaitResult::ThreadEnded);
    EXPECT_EQ(threads.QueryThread(stuck.get()), ThreadState::Ended);
  }
}

// A worker's write to a control of the UI thread is a message the UI thread must handle:
// a wait that ignored it would sit until its timeout with the worker stuck in its write.
TYPED_TEST_P(ThreadsContract, TheUiThreadsWaitEndsAtTheTimeoutOrForAWorkersCall) {
  auto& threads = this->threads_;
  const std::unique_ptr<Signal> go = threads.CreateSignal();
  const std::thread::id uiThread = std::this_thread::get_id();
  std::thread::id ranOn;
  OwnedThread worker = threads.StartThread([&] {
    go->WaitFor(kNever);
    this->ui_.RunOnUiThread([&] { ranOn = std::this_thread::get_id(); });
    this->ui_.SetControlText(this->box_, ranOn == uiThread ? "ran there" : "ran elsewhere");
  });
  const std::int64_t start = this->Now();
  EXPECT_EQ(threads.WaitForThreadOrInput(worker.get(), 50), WaitResult::TimedOut);
  EXPECT_GE(this->Now() - start, 50);
  go->Set();
  const std::int64_t asked = this->Now();
  EXPECT_EQ(threads.WaitForThreadOrInput(worker.get(), 10000), WaitResult::InputArrived);
  EXPECT_LT(this->Now() - asked, 5000);  // at once, not at the timeout
  EXPECT_EQ(threads.QueryThread(worker.get()), ThreadState::Running);
  EXPECT_EQ(this->Join(worker), WaitResult::ThreadEnded);
  EXPECT_EQ(this->ui_.ControlText(this->box_), "ran there");
  this->ui_.RunOnUiThread([&] { ranOn = {}; });  // on the UI thread itself: at once
  EXPECT_EQ(ranOn, std::thread::id{});
}

// The UI thread has the lock first; then each worker has it alone across a sleep.
TYPED_TEST_P(ThreadsContract, ALockLetsInOneHolderAtATime) {
  auto& threads = this->threads_;
  const std::unique_ptr<Lock> lock = threads.CreateLock();
  std::vector<int> order;
  OwnedThread workers[2];
  {
    std::lock_guard held(*lock);
    for (int i : {0, 1}) {
      workers[i] = threads.StartThread([&, i] {
        std::lock_guard inside(*lock);
        order.push_back(i);
        threads.Sleep(50);
        order.push_back(i);
      });
    }
    threads.Sleep(100);
    EXPECT_TRUE(order.empty());
  }
  for (const OwnedThread& worker : workers) EXPECT_EQ(this->Join(worker), WaitResult::ThreadEnded);
  ASSERT_EQ(order.size(), 4u);
  EXPECT_TRUE(order[0] == order[1] && order[2] == order[3] && order[0] != order[2]);
}

// Two Sets before a wait let one wait through; a Set during a wait ends it at once.
TYPED_TEST_P(ThreadsContract, ASignalLetsOneWaitThroughOrTheWaitTimesOut) {
  auto& threads = this->threads_;
  const std::unique_ptr<Signal> signal = threads.CreateSignal();
  signal->Set();
  signal->Set();
  std::atomic<bool> timedOut{false};
  bool first = false, second = true, third = false;
  std::int64_t secondTook = 0;
  OwnedThread worker = threads.StartThread([&] {
    first = signal->WaitFor(kNever);
    const std::int64_t start = this->Now();
    second = signal->WaitFor(50);
    secondTook = this->Now() - start;
    timedOut = true;
    third = signal->WaitFor(kNever);
  });
  while (!timedOut.load()) threads.Sleep(10);
  signal->Set();
  EXPECT_EQ(this->Join(worker), WaitResult::ThreadEnded);
  EXPECT_TRUE(first && !second && third);
  EXPECT_GE(secondTook, 50);
}

REGISTER_TYPED_TEST_SUITE_P(ThreadsContract, AThreadsHandleSaysWhetherItRunsUntilClosedAndSleepsLast,
                            TheUiThreadsWaitEndsAtTheTimeoutOrForAWorkersCall,
                            ALockLetsInOneHolderAtATime, ASignalLetsOneWaitThroughOrTheWaitTimesOut);

}  // namespace zorvane::contract
