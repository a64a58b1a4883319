// Time over after zero, with Overtime=1: the alarm as ever, then the same timer counts the
// seconds over, steady and silent, up to 99:59; pause and Esc work as before zero.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "countdown_fixture.h"

namespace zorvane::testing {
namespace {

class OvertimeTest : public ::testing::Test, public CountdownFixture {
 protected:
  void SetUp() override {
    files.AddFile(kConfigPath, "[stage]\r\nOvertime=1\r\n[hotkeys]\r\nAddMinute=Ctrl+Alt+Up\r\n");
    Start();
  }
};

TEST_F(OvertimeTest, TheSameTimerCountsOnSteadyAndSilentThroughPauseUntilEscUpTo9959) {
  StartCountdown("0", "2");
  EXPECT_EQ(ShownEachSecond(5), (std::vector<std::string>{"2", "2", "1", "0", "-1", "-2"}));
  At(5500);  // between two pictures, where the last ten seconds blink
  EXPECT_EQ(drawing.Layered(Display()).flags, LayeredFlags::ColourKey);
  ui.PressHotkey(KeyChord::kControl | KeyChord::kAlt, 0x26);  // moves time left only
  Press(main_window::kPause);
  At(9001);
  EXPECT_EQ(Shown(), "-2");
  Press(main_window::kPause);
  At(10002);
  EXPECT_EQ(Shown(), "-3");
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{3000}));  // none again after Resume
  EXPECT_LE(Clicks().back(), 3000);                          // the ticker ended at zero
  EXPECT_EQ(sound.OpenedAhead().size(), 1u);  // nor is the output opened again for clicks
  ui.PressEscape(Display());
  EXPECT_EQ(Text(main_window::kStart), "B");
  EXPECT_FALSE(ui.HasTimer(Main(), 1));
  EXPECT_EQ(Shown(), "-3");

  // A minus typed into the entry is time over already, so 99:59 over is seconds away.
  ui.SetControlText(Control(main_window::kMinutes), "-99");
  ui.SetControlText(Control(main_window::kSeconds), "-57");
  Press(main_window::kStart);
  scheduler.AdvanceBy(9000);
  EXPECT_EQ(Shown(), "-5999");
  EXPECT_EQ(Alarms().size(), 1u);
}

}  // namespace
}  // namespace zorvane::testing
