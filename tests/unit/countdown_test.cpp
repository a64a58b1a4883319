// The countdown on virtual time: what each tick draws and when, the warning ticker's
// rhythm, the blink of the last ten seconds, the alarm, pause and resume, Stop from every
// state, the screen kept awake meanwhile, and the end of the session.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "countdown_fixture.h"
#include "default_settings.h"
#include "resources/sounds.h"

namespace zorvane::testing {
namespace {

using main_window::kMinutes;
using main_window::kPause;
using main_window::kSeconds;
using main_window::kStart;

class CountdownTest : public ::testing::Test, public CountdownFixture {
 protected:
  void SetUp() override { Start(); }
};

// Clicks a regular distance apart, from `first`, `count` of them.
std::vector<std::int64_t> Every(std::int64_t first, std::int64_t step, int count) {
  std::vector<std::int64_t> times;
  for (int i = 0; i < count; ++i) times.push_back(first + step * i);
  return times;
}

std::vector<std::int64_t> Join(std::vector<std::int64_t> a, const std::vector<std::int64_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(CountdownTest, StartShowsTheTotalSizedAndCentred) {
  StartCountdown("4", "59");
  EXPECT_EQ(Shown(), "299");
  EXPECT_EQ(Text(kStart), "S");
  ASSERT_TRUE(ui.WindowExists(Display()));
  EXPECT_TRUE(ui.IsWindowVisible(Display()));
  EXPECT_EQ(ui.WindowBounds(Display()), (Rect{668, 435, 584, 210}));
  EXPECT_TRUE(ui.HasTimer(Main(), 1));
  EXPECT_EQ(drawing.Layered(Display()),
            (LayeredAttributes{true, kWhite, 0, LayeredFlags::ColourKey}));
}

TEST_F(CountdownTest, EachTickDrawsWhatItFindsThenCountsDown) {
  StartCountdown("1", "0");
  EXPECT_EQ(ShownEachSecond(3), (std::vector<std::string>{"60", "60", "59", "58"}));
  At(60001);
  EXPECT_EQ(Shown(), "1");
  EXPECT_TRUE(Alarms().empty());
  At(61001);
  EXPECT_EQ(Shown(), "0");
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{61000}));
  EXPECT_FALSE(ui.HasTimer(Main(), 1));
}

TEST_F(CountdownTest, ZeroTotalAlarmsOneSecondAfterStartAndStaysExpired) {
  StartCountdown("", "");
  EXPECT_EQ(Shown(), "0");
  At(5000);
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{1000}));
  // The ticker started by that same tick ends after at most one click.
  EXPECT_LE(Clicks().size(), 1u);
  EXPECT_EQ(Text(kStart), "S");
  EXPECT_TRUE(ui.WindowExists(Display()));
  EXPECT_FALSE(ui.HasTimer(Main(), 1));
}

TEST_F(CountdownTest, AStartReadiesTheSoundBeforeItsFirstPlay) {
  EXPECT_TRUE(sound.PlaysBeforeEachPrepare().empty());  // an idle program loads no sound
  StartCountdown("0", "3");
  EXPECT_EQ(sound.PlaysBeforeEachPrepare(), (std::vector<std::size_t>{0}));
  At(5000);
  EXPECT_FALSE(sound.Plays().empty());
}

TEST_F(CountdownTest, WorkingSetIsTrimmedAtPressesAndWholeMinutes) {
  const int before = scheduler.TrimCount();
  StartCountdown("1", "0");
  At(61001);
  // The press, then the ticks that draw 60 (at 1 s) and 0 (at 61 s).
  EXPECT_EQ(scheduler.TrimCount() - before, 3);
}

TEST_F(CountdownTest, TickerStartsAtTheTickThatDrawsThirtyIntoAnOutputOpenedATickAhead) {
  StartCountdown("0", "45");
  At(15999);
  EXPECT_TRUE(Clicks().empty());
  EXPECT_EQ(Since(sound.OpenedAhead()), (std::vector<std::int64_t>{15000}));
  At(16001);
  EXPECT_EQ(Clicks(), (std::vector<std::int64_t>{16000}));
  At(20000);
  EXPECT_EQ(sound.OpenedAhead().size(), 1u);  // once for the whole run of clicks

  // A start or a resume that the next tick follows with a click opens it at once.
  Press(kPause);
  Press(kPause);
  EXPECT_EQ(sound.OpenedAhead().size(), 2u);
}

TEST_F(CountdownTest, TickerClicksEverySecondThenTwiceThenFourTimesASecond) {
  StartCountdown("0", "20");
  At(21001);
  // Started with 20 left: the counter is 10, so ten one-second clicks bring it to 20 (10 s
  // left), ten more at 500 ms to 30 (5 s left), then 250 ms until zero.
  const auto expected = Join(Join(Every(1000, 1000, 11), Every(11500, 500, 10)),
                             Every(16250, 250, 20));
  const auto clicks = Clicks();
  ASSERT_GE(clicks.size(), expected.size());
  EXPECT_EQ(std::vector(clicks.begin(), clicks.begin() + static_cast<long>(expected.size())),
            expected);
  EXPECT_LE(clicks.size(), expected.size() + 1);  // at most one click as zero is reached
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{21000}));
  At(30000);
  EXPECT_LE(Clicks().size(), expected.size() + 1);  // and nothing after
}

TEST_F(CountdownTest, LateTickerContinuesTheRhythm) {
  StartCountdown("0", "8");
  At(2001);
  // Started with 8 left the counter is 20: twice a second from the first tick.
  EXPECT_EQ(Clicks(), (std::vector<std::int64_t>{1000, 1500, 2000}));
}

TEST_F(CountdownTest, ThreeSecondsClickFourTimesASecondAtOnce) {
  StartCountdown("0", "3");
  At(2001);
  EXPECT_EQ(Clicks(), (std::vector<std::int64_t>{1000, 1250, 1500, 1750, 2000}));
}

TEST_F(CountdownTest, OneSecondClicksOnceOrTwiceThenAlarms) {
  StartCountdown("0", "1");
  At(5000);
  EXPECT_GE(Clicks().size(), 1u);
  EXPECT_LE(Clicks().size(), 2u);
  EXPECT_EQ(Clicks().front(), 1000);
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{2000}));
}

TEST_F(CountdownTest, LastTenPicturesFadeAndTheZeroDoesNot) {
  StartCountdown("0", "11");
  At(1500);  // the tick drawing 11: no fade
  EXPECT_EQ(drawing.Layered(Display()).flags, LayeredFlags::ColourKey);
  At(2399);  // the tick drawing 10, before its fade begins
  EXPECT_EQ(drawing.Layered(Display()).flags, LayeredFlags::ColourKey);
  At(2400);
  EXPECT_EQ(drawing.Layered(Display()), (LayeredAttributes{true, 0, 230, LayeredFlags::Alpha}));
  At(2580);
  EXPECT_EQ(drawing.Layered(Display()).alpha, 5);
  At(3000);  // the next redraw brings it back
  EXPECT_EQ(drawing.Layered(Display()).flags, LayeredFlags::ColourKey);
  At(12001);  // zero: keyed and opaque, and stays so
  At(13000);
  EXPECT_EQ(Shown(), "0");
  EXPECT_EQ(drawing.Layered(Display()).flags, LayeredFlags::ColourKey);
}

TEST_F(CountdownTest, PlayAgainStopsAtOnceAndKeepsTheLastValue) {
  StartCountdown("0", "40");
  At(3001);
  Press(kStart);
  EXPECT_FALSE(ui.WindowExists(Display()));
  EXPECT_EQ(Text(kStart), "B");
  EXPECT_EQ(Text(kPause), "P");
  EXPECT_EQ(Shown(), "38");  // drawn by the tick at 3 s
  EXPECT_FALSE(ui.HasTimer(Main(), 1));
  At(60000);
  EXPECT_TRUE(Clicks().empty());
  EXPECT_TRUE(Alarms().empty());
  EXPECT_EQ(scheduler.OpenHandleCount(), 0);
}

TEST_F(CountdownTest, ClosingTheDisplayStopsLikeThePlayButton) {
  StartCountdown("0", "5");
  At(1001);
  ui.PressEscape(Display());
  EXPECT_EQ(Text(kStart), "B");
  EXPECT_EQ(ui.Windows().size(), 1u);
  At(10000);
  EXPECT_TRUE(Alarms().empty());
}

TEST_F(CountdownTest, StopDuringFastClickingSilencesTheTickerWithinAQuarterSecond) {
  StartCountdown("0", "3");
  At(1600);
  Press(kStart);
  const auto clicks = Clicks();
  At(5000);
  EXPECT_EQ(Clicks(), clicks);
  EXPECT_TRUE(Alarms().empty());
}

TEST_F(CountdownTest, PauseHoldsEverythingAndResumeGoesOnWithoutRepeatingASecond) {
  StartCountdown("0", "20");
  At(3001);  // the tick at 3 s drew 18 and counted down to 17
  Press(kPause);
  EXPECT_EQ(Text(kPause), "C");
  const auto clicksAtPause = Clicks().size();
  At(10000);
  EXPECT_EQ(Shown(), "18");
  EXPECT_EQ(Clicks().size(), clicksAtPause);  // the ticker stopped at its next check

  // Moved while paused; the first picture after Resume centres it again.
  ui.SetWindowBounds(Display(), {0, 0, 584, 210});
  Press(kPause);
  EXPECT_EQ(Text(kPause), "P");
  At(10999);
  EXPECT_EQ(Shown(), "18");
  At(11001);
  EXPECT_EQ(Shown(), "17");
  EXPECT_EQ(ui.WindowBounds(Display()), (Rect{668, 435, 584, 210}));
  // A new ticker for the new run, continuing the rhythm: 17 left is counter 13.
  const auto clicks = Clicks();
  EXPECT_EQ(std::vector(clicks.begin() + static_cast<long>(clicksAtPause), clicks.end()),
            (std::vector<std::int64_t>{11000}));
}

TEST_F(CountdownTest, QuickPauseAndResumeNeverLeavesTwoTickers) {
  StartCountdown("0", "25");
  At(1100);  // the ticker clicked at 1 s and sleeps for a second
  Press(kPause);
  At(1200);
  Press(kPause);  // resumed before the old ticker looked again
  At(8000);
  const auto clicks = Clicks();
  for (std::size_t i = 1; i < clicks.size(); ++i) {
    EXPECT_GE(clicks[i] - clicks[i - 1], 900) << "two tickers at " << clicks[i];
  }
}

TEST_F(CountdownTest, PauseWithoutACountdownDoesNothing) {
  Press(kPause);
  EXPECT_EQ(Text(kPause), "P");
  EXPECT_EQ(ui.Windows().size(), 1u);
}

TEST_F(CountdownTest, StopWhilePausedStartsTheNextCountdownUnpaused) {
  StartCountdown("0", "9");
  At(1001);
  Press(kPause);
  Press(kStart);
  EXPECT_EQ(Text(kPause), "P");
  Press(kStart);
  EXPECT_TRUE(ui.HasTimer(Main(), 1));
}

TEST_F(CountdownTest, ExpiredPauseAndResumeRingsOnceMore) {
  StartCountdown("0", "1");
  At(3000);
  EXPECT_EQ(Alarms().size(), 1u);
  Press(kPause);
  EXPECT_EQ(Text(kPause), "C");
  Press(kPause);
  At(5000);
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{2000, 4000}));
  EXPECT_FALSE(ui.HasTimer(Main(), 1));
}

TEST_F(CountdownTest, NegativeTotalIsDrawnOnceAndNeverTicks) {
  StartCountdown("", "-5");
  EXPECT_EQ(Shown(), "-5");
  At(10000);
  EXPECT_EQ(Shown(), "-5");
  EXPECT_TRUE(Clicks().empty());
  EXPECT_TRUE(Alarms().empty());
  EXPECT_TRUE(ui.HasTimer(Main(), 1));
  Press(kStart);
  EXPECT_EQ(Text(kStart), "B");
}

TEST_F(CountdownTest, EntriesClampAtFiftyNine) {
  ui.Type(Control(kMinutes), "65");
  EXPECT_EQ(Text(kMinutes), "59");
  ui.SetControlText(Control(kSeconds), "");
  ui.Type(Control(kSeconds), "100");
  EXPECT_EQ(Text(kSeconds), "59");
  ui.SetControlText(Control(kSeconds), "");
  ui.Type(Control(kSeconds), "-7");
  EXPECT_EQ(Text(kSeconds), "-7");
  ui.Paste(Control(kSeconds), "x");  // "-7x" is still -7
  EXPECT_EQ(Text(kSeconds), "-7x");
}

TEST_F(CountdownTest, GeometryIsTakenAtStartOnly) {
  ui.SetControlText(Control(main_window::kDigitWidth), "30");
  StartCountdown("0", "30");
  EXPECT_EQ(ui.WindowBounds(Display()).width, 164);
  ui.SetControlText(Control(main_window::kDigitWidth), "120");
  At(2001);
  EXPECT_EQ(program->State().DigitWidth.load(), 30);
}

TEST_F(CountdownTest, ClickDuringStopsWaitStartsAgainOnceStopHasFinished) {
  StartCountdown("0", "30");
  At(1500);
  // A redraw that has not finished when Stop begins. While Stop waits, Esc on the display
  // asks to stop it once more, and the second click of a double click comes.
  program->State().RedrawThread = scheduler.StartThread([&] { scheduler.Sleep(300); });
  const WindowHandle stopped = Display();
  ui.Post([&] {
    ui.PressEscape(stopped);
    Press(kStart);
  });
  Press(kStart);
  EXPECT_EQ(Text(kStart), "S");
  EXPECT_FALSE(ui.WindowExists(stopped));
  EXPECT_TRUE(ui.IsWindowVisible(Display()));
  EXPECT_TRUE(ui.HasTimer(Main(), 1));
}

TEST_F(CountdownTest, TheScreenIsKeptAwakeWhileACountdownIsOpen) {
  EXPECT_FALSE(power.KeptAwake());
  StartCountdown("0", "2");
  EXPECT_TRUE(power.KeptAwake());
  Press(kPause);
  EXPECT_TRUE(power.KeptAwake()) << "paused";
  Press(kPause);
  At(4000);
  ASSERT_EQ(Alarms().size(), 1u);
  EXPECT_TRUE(power.KeptAwake()) << "expired, 00:00 still shown";
  Press(kStart);
  EXPECT_FALSE(power.KeptAwake()) << "stopped";
  Press(kStart);
  ui.RequestClose(Main());
  EXPECT_FALSE(power.KeptAwake()) << "the program ended";
}

TEST_F(CountdownTest, ExitDuringACountdownSavesAndLeavesNothingRunning) {
  StartCountdown("0", "12");
  At(4100);  // clicking and fading
  ASSERT_FALSE(Clicks().empty());
  ui.RequestClose(Main());
  const std::int64_t closedAt = scheduler.Now() - startedAt;
  EXPECT_FALSE(ui.WindowExists(Display()));
  EXPECT_EQ(program->State().CountdownRunning.load(), 0);
  EXPECT_NE(ConfigFile(), "");
  At(20000);
  EXPECT_LE(Clicks().back(), closedAt) << "a click after the program was closed";
  EXPECT_TRUE(Alarms().empty());
  EXPECT_EQ(scheduler.LiveWorkerCount(), 0);
  EXPECT_EQ(scheduler.OpenHandleCount(), 0);
}

TEST_F(CountdownTest, TheEndOfTheSessionDuringACountdownSavesAsAnExitDoes) {
  StartCountdown("0", "12");
  At(4100);  // clicking and fading
  const WindowHandle display = Display();
  ui.Post([&] { ui.EndSession(); });
  ui.RunMessageLoop();  // until the main window has gone
  const std::int64_t endedAt = scheduler.Now() - startedAt;
  EXPECT_FALSE(ui.WindowExists(Main()));
  EXPECT_FALSE(ui.WindowExists(display));
  EXPECT_EQ(ConfigFile(), kElevenLines);
  At(20000);
  EXPECT_LE(Clicks().back(), endedAt) << "a click after the session ended";
  EXPECT_TRUE(Alarms().empty());
  EXPECT_EQ(files.ReplacementCount(), 1) << "the file was written again";
  EXPECT_EQ(scheduler.LiveWorkerCount(), 0);
}

}  // namespace
}  // namespace zorvane::testing
