// Time over after zero, when the settings file asks for it: the alarm as ever, then the
// same timer counts the seconds over, steady and silent, up to 99:59, and Stop, Esc and
// pause work as during the countdown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "countdown_fixture.h"

namespace zorvane::testing {
namespace {

using main_window::kPause;
using main_window::kStart;

class OvertimeTest : public ::testing::Test, public CountdownFixture {
 protected:
  void SetUp() override {
    files.AddFile(kConfigPath, "[stage]\r\nOvertime=1\r\n[hotkeys]\r\nAddMinute=Ctrl+Alt+Up\r\n");
    Start();
  }
};

TEST_F(OvertimeTest, AfterTheAlarmTheSameTimerCountsTheTimeOverSteadyAndSilent) {
  StartCountdown("0", "2");
  EXPECT_EQ(ShownEachSecond(8),
            (std::vector<std::string>{"2", "2", "1", "0", "-1", "-2", "-3", "-4", "-5"}));
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{3000}));
  EXPECT_LE(Clicks().back(), 3250);  // the ticker ends at zero as ever
  At(8500);  // between two pictures, where the last ten seconds blink
  EXPECT_EQ(drawing.Layered(Display()).flags, LayeredFlags::ColourKey);
  EXPECT_TRUE(ui.HasTimer(Main(), 1));
  // The minute keys move time left only.
  EXPECT_TRUE(ui.PressHotkey(KeyChord::kControl | KeyChord::kAlt, 0x26));
  At(9001);
  EXPECT_EQ(Shown(), "-6");
}

// A minus typed into the entry is time over already, so 99:59 over is seconds away.
TEST_F(OvertimeTest, CountsUpTo9959AndStaysThere) {
  StartCountdown("-99", "-55");
  EXPECT_EQ(Shown(), "-5995");
  At(5001);
  EXPECT_EQ(Shown(), "-5999");
  At(9001);
  EXPECT_EQ(Shown(), "-5999");
  EXPECT_TRUE(Alarms().empty());
}

TEST_F(OvertimeTest, PauseResumeAndEscWorkAsDuringTheCountdown) {
  StartCountdown("0", "1");
  At(5001);
  EXPECT_EQ(Shown(), "-3");
  Press(kPause);
  At(9001);
  EXPECT_EQ(Shown(), "-3");
  Press(kPause);
  At(10002);
  EXPECT_EQ(Shown(), "-4");
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{2000}));  // no second alarm after Resume
  EXPECT_EQ(sound.OpenedAhead().size(), 1u);               // nor an output opened for clicks
  ui.PressEscape(Display());
  EXPECT_EQ(Text(kStart), "B");
  EXPECT_EQ(ui.Windows().size(), 1u);
  EXPECT_FALSE(ui.HasTimer(Main(), 1));
  EXPECT_EQ(Shown(), "-4");
}

}  // namespace
}  // namespace zorvane::testing
