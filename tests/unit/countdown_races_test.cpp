// Quick clicks at the worst moments, on virtual time: a Stop and a Start inside a blink or
// while a late redraw finishes, Stop while the last redraw waits for the UI thread, and the
// end of the program. Workers of a stopped countdown must change nothing of the next one
// nor keep a picture of their window, and no thread may wait for another that waits for it.
#include <gtest/gtest.h>

#include "countdown_fixture.h"

namespace zorvane::testing {
namespace {

using main_window::kRemaining;
using main_window::kSeconds;
using main_window::kStart;

constexpr LayeredAttributes kKeyed{true, kWhite, 0, LayeredFlags::ColourKey};

class CountdownRacesTest : public ::testing::Test, public CountdownFixture {
 protected:
  void SetUp() override { Start(); }
  // A double click on play: Stop, then at once a new countdown of the same time.
  WindowHandle Restart() {
    Press(kStart);
    EXPECT_EQ(Text(kStart), "B");
    Press(kStart);
    EXPECT_EQ(Text(kStart), "S");
    return Display();
  }
};

// 0:12 draws 10 at 3 s; its blink steps from 3.4 s to 3.58 s.
constexpr std::int64_t kInsideTheFirstBlink = 3450;

TEST_F(CountdownRacesTest, RestartDuringABlinkLeavesTheNewDisplayKeyed) {
  StartCountdown("0", "12");
  At(kInsideTheFirstBlink);
  const WindowHandle old = Display();
  ASSERT_EQ(drawing.Layered(old).flags, LayeredFlags::Alpha);
  const WindowHandle fresh = Restart();
  ASSERT_NE(fresh, old);
  At(kInsideTheFirstBlink + 400);  // the old blink would have ended by now
  EXPECT_EQ(drawing.Layered(fresh), kKeyed);
  EXPECT_EQ(drawing.LayeredChanges(fresh), 1) << "only its own first picture set its look";
}

TEST_F(CountdownRacesTest, RestartDuringABlinkNeverDeadlocks) {
  // The first picture of the new countdown is drawn on the UI thread; while it is, the old
  // blink's steps come due.
  drawing.SetDrawingTime(scheduler, 50);
  StartCountdown("0", "12");
  At(kInsideTheFirstBlink);
  WindowHandle fresh;
  ASSERT_NO_THROW(fresh = Restart());
  At(kInsideTheFirstBlink + 400);
  EXPECT_TRUE(ui.IsWindowVisible(fresh));
  EXPECT_EQ(drawing.Layered(fresh), kKeyed);
}

TEST_F(CountdownRacesTest, RestartWhileALateRedrawFinishesChangesNothingOfTheNewCountdown) {
  StartCountdown("0", "40");
  At(3900);
  drawing.SetDrawingTime(scheduler, 2000);  // the picture of 37, begun at 4 s, takes until 6 s
  At(4100);
  drawing.SetDrawingTime(scheduler, 0);
  ui.SetControlText(Control(kSeconds), "");
  ui.Type(Control(kSeconds), "20");
  WindowHandle fresh;
  ASSERT_NO_THROW(fresh = Restart());  // Stop gives the redraw a second, then goes on
  ASSERT_EQ(scheduler.Now() - startedAt, 5100);
  ASSERT_EQ(Shown(), "20");
  const int looks = drawing.LayeredChanges(fresh);
  At(6050);  // the late redraw has ended; the new countdown's first tick is due at 6.1 s
  EXPECT_EQ(Shown(), "20") << "a redraw of the stopped countdown wrote its value";
  EXPECT_EQ(drawing.LayeredChanges(fresh), looks);
  EXPECT_EQ(drawing.Layered(fresh), kKeyed);
}

TEST_F(CountdownRacesTest, ARedrawThatOutlivesItsWindowLeavesNoPictureKept) {
  StartCountdown("0", "40");
  At(3900);
  drawing.SetDrawingTime(scheduler, 2000);  // the picture of 37, begun at 4 s, takes until 6 s
  At(4100);
  Press(kStart);  // Stop gives the redraw a second, then destroys the display
  At(7000);
  ASSERT_EQ(scheduler.LiveWorkerCount(), 0);
  EXPECT_EQ(ui.Pictures().Count(), 0u) << "a picture outlived its window";
}

// With pictures that take 300 ms (Start's own until 0.3 s), the ticks come at 1.3 s, 2.3 s,
// ...: at 2.4 s the redraw of 39 still draws, until 2.6 s.
constexpr int kSlowPictureMs = 300;
constexpr std::int64_t kWhileARedrawDraws = 2400;

TEST_F(CountdownRacesTest, StopWaitsOnlyUntilTheLastRedrawHasEnded) {
  drawing.SetDrawingTime(scheduler, kSlowPictureMs);
  StartCountdown("0", "40");
  At(kWhileARedrawDraws);
  const std::int64_t before = scheduler.Now();
  Press(kStart);
  EXPECT_EQ(scheduler.Now() - before, 200) << "Stop did not wait exactly for the redraw's end";
  EXPECT_EQ(Shown(), "39");
  EXPECT_FALSE(program->State().RedrawThread);
  EXPECT_EQ(scheduler.TerminationCount(), 0);
}

TEST_F(CountdownRacesTest, ExitWhileARedrawDrawsLetsItEnd) {
  drawing.SetDrawingTime(scheduler, kSlowPictureMs);
  StartCountdown("0", "40");
  At(kWhileARedrawDraws);
  ui.RequestClose(Main());
  EXPECT_EQ(scheduler.TerminationCount(), 0);
  EXPECT_EQ(scheduler.OpenHandleCount(), 0);
  At(5000);
  EXPECT_EQ(scheduler.LiveWorkerCount(), 0);
}

}  // namespace
}  // namespace zorvane::testing
