// The presenter's keys: registered from the settings file only, skipped when taken, and
// moving the time left a minute at a time as if counting had got there.
#include <gtest/gtest.h>

#include <vector>

#include "app/main_window_layout.h"
#include "countdown_fixture.h"

namespace zorvane::testing {
namespace {

constexpr std::uint32_t kCtrlAlt = KeyChord::kControl | KeyChord::kAlt;
constexpr std::uint32_t kUp = 0x26;
constexpr std::uint32_t kDown = 0x28;

class HotkeysTest : public ::testing::Test, public CountdownFixture {
 protected:
  void Key(std::uint32_t key) { EXPECT_TRUE(ui.PressHotkey(kCtrlAlt, key)) << key; }
};

TEST_F(HotkeysTest, NoneWithoutTheSectionAndATakenOneIsSkippedUntilExit) {
  Start();
  EXPECT_EQ(ui.HotkeyCount(), 0u);
  ui.DestroyWindow(Main());
  ui.HoldHotkeyElsewhere(kCtrlAlt, 'S');
  files.AddFile(kConfigPath, "[hotkeys]\r\nStartStop=Ctrl+Alt+S\r\nPause=Ctrl+Alt+P\r\n");
  Start();
  EXPECT_FALSE(ui.PressHotkey(kCtrlAlt, 'S'));
  StartCountdown("1", "0");
  Key('P');
  EXPECT_EQ(Text(main_window::kPause), "C");
  ui.DestroyWindow(Main());
  EXPECT_EQ(ui.HotkeyCount(), 0u);
}

TEST_F(HotkeysTest, MinuteKeysMoveTheTimeLeftAndTheTickerFollows) {
  files.AddFile(kConfigPath, "[hotkeys]\r\nAddMinute=Ctrl+Alt+Up\r\nSubtractMinute=Ctrl+Alt+Down\r\n");
  Start();
  StartCountdown("0", "40");
  At(15500);  // 26 shown, clicking once a second since 30 at 11 s
  Key(kUp);
  At(16001);
  EXPECT_EQ(Shown(), "85");
  At(20500);
  EXPECT_EQ(Clicks(), (std::vector<std::int64_t>{11000, 12000, 13000, 14000, 15000}));
  Key(kDown);  // 81 shown: to 20, where the clicks come once a second
  At(23001);
  EXPECT_EQ(Shown(), "18");
  EXPECT_EQ(Clicks().size(), 8u);
  EXPECT_EQ(Clicks().back(), 23000);
  Press(main_window::kPause);
  Key(kUp);  // paused: shown at once, and Resume goes on from it
  EXPECT_EQ(Shown(), "78");
  Press(main_window::kPause);
  At(24002);
  EXPECT_EQ(Shown(), "77");
  for (int i = 0; i < 100; ++i) Key(kUp);
  Key(kDown);
  At(25002);
  EXPECT_EQ(Shown(), "5939");  // never above 99:59
  for (int i = 0; i < 100; ++i) Key(kDown);
  At(26002);
  EXPECT_EQ(Shown(), "0");  // nor below zero, which sounds the alarm
  EXPECT_EQ(Alarms(), (std::vector<std::int64_t>{26001}));
  Key(kUp);  // zero has been reached: nothing more to move
  At(28002);
  EXPECT_EQ(Shown(), "0");
}

}  // namespace
}  // namespace zorvane::testing
