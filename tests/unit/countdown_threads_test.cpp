// The countdown with its workers really running beside the UI thread: redraws, blinks,
// the ticker and the sounds race the ticks, pauses and stops. Built with ThreadSanitizer
// this finds any word shared without care; in the other builds it must simply come out
// right.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/main_window_layout.h"
#include "tests/support/real_threads.h"
#include "program_fixture.h"
#include "resources/sounds.h"

namespace zorvane::testing {
namespace {

using namespace main_window;

// A second of countdown lasts 1000 / kSpeedUp milliseconds of real time.
constexpr int kSpeedUp = 50;

class CountdownThreadsTest : public ::testing::Test, public ProgramFixture {
 protected:
  void SetUp() override {
    threads = &real;
    real.SetInputCheck([this] { return ui.HasPendingInput(); });
    Start();
  }
  void TearDown() override {
    // Workers end once no countdown runs; then every one of them is waited for.
    if (Text(kStart) == "S") ui.Click(Control(kStart));
    JoinAll();
    program.reset();
  }
  // Waits for every worker, handling meanwhile what they send the UI thread, as its
  // message loop would.
  void JoinAll() {
    real.JoinAll([this] { ui.HandleSentCalls(); });
  }
  // Lets `seconds` of countdown pass: the timer ticks on virtual time, the workers run in
  // real time in between.
  void Run(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      scheduler.AdvanceBy(1000);
      std::this_thread::sleep_for(std::chrono::milliseconds(1000 / kSpeedUp));
    }
  }

  support::RealThreads real{kSpeedUp};
};

TEST_F(CountdownThreadsTest, RunsToTheAlarmWithEveryWorkerRacing) {
  ui.Type(Control(kSeconds), "12");
  ui.Click(Control(kStart));
  Run(15);
  JoinAll();  // the ticker has seen the end by now
  EXPECT_EQ(Text(kRemaining), "0");
  EXPECT_EQ(sound.TimesOf(sounds::AlarmClip).size(), 1u);
  EXPECT_GE(sound.TimesOf(sounds::TickClip).size(), 12u);
  EXPECT_EQ(drawing.LiveObjectCount(), 0);
}

TEST_F(CountdownThreadsTest, PausesStopsAndStartsWhileWorkersRun) {
  ui.Type(Control(kSeconds), "15");
  for (int round = 0; round < 5; ++round) {
    ui.Click(Control(kStart));
    Run(3);
    ui.Click(Control(kPause));
    Run(1);
    ui.Click(Control(kPause));
    Run(2);
    ui.Click(Control(kStart));
  }
  JoinAll();
  EXPECT_EQ(Text(kStart), "B");
  EXPECT_FALSE(ui.WindowExists(program->DisplayWindow()));
  EXPECT_EQ(drawing.LiveObjectCount(), 0);
}

TEST_F(CountdownThreadsTest, DoubleClicksInsideABlinkNeverHangOrFadeTheNewDisplay) {
  ui.Type(Control(kSeconds), "12");
  for (int round = 0; round < 10; ++round) {
    ui.Click(Control(kStart));
    Run(2);
    scheduler.AdvanceBy(1000);  // the tick that draws 10: its blink begins 400 / kSpeedUp ms on
    std::this_thread::sleep_for(std::chrono::milliseconds(400 / kSpeedUp + round));
    ui.Click(Control(kStart));
    ui.Click(Control(kStart));
    const WindowHandle fresh = program->DisplayWindow();
    // Long enough for the old blink to have ended; the new countdown has not ticked yet.
    std::this_thread::sleep_for(std::chrono::milliseconds(1000 / kSpeedUp));
    ui.PumpPendingMessages();
    EXPECT_EQ(drawing.Layered(fresh).flags, LayeredFlags::ColourKey) << "round " << round;
    ui.Click(Control(kStart));
  }
  JoinAll();
  EXPECT_EQ(Text(kStart), "B");
  EXPECT_EQ(drawing.LiveObjectCount(), 0);
}

}  // namespace
}  // namespace zorvane::testing
