// The presenter's options as a user writes them into MyConfig.ini by hand.
#include "settings/stage_options_reader.h"

#include <gtest/gtest.h>

#include "program_fixture.h"

namespace zorvane::testing {
namespace {

StageOptions Read(std::string_view file) { return ReadStageOptions(IniDocument::Parse(file)); }

TEST(KeyChord, ModifiersAndOneKeyInAnyCaseAndSpacing) {
  using enum KeyChord::Modifier;
  EXPECT_EQ(ParseKeyChord("Ctrl+Alt+S"), (KeyChord{kControl | kAlt, 'S'}));
  EXPECT_EQ(ParseKeyChord(" control + SHIFT + f9 "), (KeyChord{kControl | kShift, 0x78}));
  EXPECT_EQ(ParseKeyChord("Win+Alt+PageDown"), (KeyChord{kWin | kAlt, 0x22}));
  EXPECT_EQ(ParseKeyChord("Alt+7"), (KeyChord{kAlt, '7'}));
  EXPECT_EQ(ParseKeyChord("F24"), (KeyChord{0, 0x87}));
  for (const std::string_view bad : {"", "Ctrl+Alt", "Ctrl+Ctrl+S", "Ctrl+S+T", "Ctrl++S",
                                     "Ctrl+F25", "Ctrl+F0", "Ctrl+Spacebar", "Ctrl+é"}) {
    EXPECT_EQ(ParseKeyChord(bad), std::nullopt) << bad;
  }
}

TEST(StageOptions, EverythingIsOffUnlessTheFileSwitchesItOn) {
  EXPECT_EQ(Read(""), StageOptions{});
  EXPECT_EQ(Read("[stage]\r\nOnTop=\r\nOvertime=0\r\nMonitor=x\r\n[hotkeys]\r\nPause=Ctrl+\r\n"),
            StageOptions{});
  // Keys of another section do not count.
  EXPECT_EQ(Read("[Main]\r\nOnTop=1\r\nStartStop=Ctrl+Alt+S\r\n"), StageOptions{});
}

TEST(StageOptions, EachLineSwitchesItsOptionOn) {
  const StageOptions options = Read(
      "[stage]\r\nOnTop=1\r\nOvertime=\"1\"\r\nMonitor= 2 \r\n"
      "[hotkeys]\r\nStartStop=Ctrl+Alt+S\r\nSubtractMinute=Ctrl+Alt+Down\r\n");
  EXPECT_TRUE(options.onTop);
  EXPECT_TRUE(options.overtime);
  EXPECT_EQ(options.monitor, (MonitorChoice{.number = 2}));
  EXPECT_EQ(options.Hotkey(HotkeyAction::StartStop), (KeyChord{KeyChord::kControl | KeyChord::kAlt, 'S'}));
  EXPECT_EQ(options.Hotkey(HotkeyAction::Pause), std::nullopt);
  EXPECT_EQ(options.Hotkey(HotkeyAction::SubtractMinute)->key, 0x28u);
  EXPECT_EQ(Read("[stage]\r\nMonitor=Bar\r\n").monitor, (MonitorChoice{.followBar = true}));
  EXPECT_EQ(Read("[stage]\r\nMonitor=-1\r\n").monitor, MonitorChoice{});
}

class StageOptionsFileTest : public ::testing::Test, public ProgramFixture {};

// The options are the user's lines: read at start-up, and kept byte for byte by the save at
// exit, which writes only the display's nine settings.
TEST_F(StageOptionsFileTest, AreReadAtStartAndKeptByteForByteAtExit) {
  const std::string lines =
      "[stage]\r\nOnTop=1\r\nMonitor=bar\r\nOvertime=1\r\n"
      "[hotkeys]\r\nStartStop=Ctrl+Alt+S\r\nPause=Ctrl+Alt+P\r\n"
      "AddMinute=Ctrl+Alt+Up\r\nSubtractMinute=Ctrl+Alt+Down\r\n";
  files.AddFile(kConfigPath, lines);
  Start();
  EXPECT_TRUE(program->Options().onTop);
  EXPECT_TRUE(program->Options().Hotkey(HotkeyAction::AddMinute).has_value());
  ui.Post([&] { ui.PressEscape(Main()); });
  ui.RunMessageLoop();
  EXPECT_EQ(ConfigFile().substr(0, lines.size()), lines);
  EXPECT_NE(ConfigFile().find("split=0"), std::string::npos);
}

}  // namespace
}  // namespace zorvane::testing
