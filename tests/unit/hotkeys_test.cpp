// The presenter's keys, pressed while another program has the focus: registered from the
// settings file only, skipped when taken, acting as the buttons do, and moving the time
// left a minute at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "countdown_fixture.h"

namespace zorvane::testing {
namespace {

using main_window::kPause;
using main_window::kStart;

constexpr std::uint32_t kCtrlAlt = KeyChord::kControl | KeyChord::kAlt;
constexpr std::uint32_t kUp = 0x26;
constexpr std::uint32_t kDown = 0x28;

class HotkeysTest : public ::testing::Test, public CountdownFixture {
 protected:
  void StartWithKeys() {
    files.AddFile(kConfigPath,
                  "[hotkeys]\r\nStartStop=Ctrl+Alt+S\r\nPause=Ctrl+Alt+P\r\n"
                  "AddMinute=Ctrl+Alt+Up\r\nSubtractMinute=Ctrl+Alt+Down\r\n");
    Start();
  }
  void Key(std::uint32_t key) { EXPECT_TRUE(ui.PressHotkey(kCtrlAlt, key)) << key; }
};

TEST_F(HotkeysTest, NoneWithoutTheSection) {
  Start();
  EXPECT_EQ(ui.HotkeyCount(), 0u);
}

TEST_F(HotkeysTest, AKeyTakenOrNotUnderstoodIsSkippedTheOthersWorkUntilExit) {
  ui.HoldHotkeyElsewhere(kCtrlAlt, 'S');
  files.AddFile(kConfigPath, "[hotkeys]\r\nStartStop=Ctrl+Alt+S\r\nPause=Ctrl+Alt+\r\n"
                             "AddMinute=Ctrl+Alt+Up\r\n");
  Start();
  EXPECT_EQ(ui.HotkeyCount(), 1u);
  EXPECT_FALSE(ui.PressHotkey(kCtrlAlt, 'S'));
  StartCountdown("1", "0");
  Key(kUp);
  At(1001);
  EXPECT_EQ(Shown(), "120");
  ui.DestroyWindow(Main());
  EXPECT_EQ(ui.HotkeyCount(), 0u);
}

TEST_F(HotkeysTest, StartStopAndPauseDoWhatTheButtonsDo) {
  StartWithKeys();
  Key('P');  // no countdown open: nothing
  ui.Type(Control(main_window::kSeconds), "20");
  startedAt = scheduler.Now();
  Key('S');
  EXPECT_EQ(Text(kStart), "S");
  EXPECT_EQ(Shown(), "20");
  At(3001);
  Key('P');
  EXPECT_EQ(Text(kPause), "C");
  At(6001);
  EXPECT_EQ(Shown(), "18");
  Key('P');
  At(7002);
  EXPECT_EQ(Shown(), "17");
  Key('S');
  EXPECT_EQ(Text(kStart), "B");
  EXPECT_EQ(Text(kPause), "P");
  EXPECT_FALSE(ui.WindowExists(Display()));
}

TEST_F(HotkeysTest, MinuteKeysMoveTheTimeLeftAndTheTickerFollowsAsIfCounting) {
  StartWithKeys();
  StartCountdown("0", "40");
  At(15500);  // 26 shown since 15 s, clicking once a second since 30 at 11 s
  Key(kUp);
  At(16001);
  EXPECT_EQ(Shown(), "85");
  At(20500);
  EXPECT_EQ(Clicks(), (std::vector<std::int64_t>{11000, 12000, 13000, 14000, 15000}));
  Key(kDown);  // 81 shown: to 20, where a ticker started at 30 clicks once a second still
  At(23001);
  EXPECT_EQ(Shown(), "18");
  EXPECT_EQ(Clicks().size(), 8u);
  EXPECT_EQ(Clicks().back(), 23000);
  Key(kDown);  // never below zero
  At(24001);
  EXPECT_EQ(Shown(), "0");
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{24000}));
  Key(kUp);  // zero has been reached: nothing more to move
  At(26001);
  EXPECT_EQ(Shown(), "0");
  EXPECT_FALSE(ui.HasTimer(Main(), 1));
}

TEST_F(HotkeysTest, WhilePausedTheMinuteKeysShowAtOnceUpTo9959) {
  StartWithKeys();
  StartCountdown("0", "45");
  At(2001);
  Press(kPause);
  Key(kUp);
  EXPECT_EQ(Shown(), "104");
  Press(kPause);
  At(3002);
  EXPECT_EQ(Shown(), "103");  // on from the moved picture, no second lost or repeated
  for (int i = 0; i < 100; ++i) Key(kUp);
  At(4002);
  EXPECT_EQ(Shown(), "5999");
}

}  // namespace
}  // namespace zorvane::testing
