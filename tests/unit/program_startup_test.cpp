// The program's life: start-up folds and docks the main window and loads the settings;
// the gear switches widths; Esc, 退出 or any close ends the program through a clean-up
// that saves the settings and leaves no thread behind.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "app/main_window_layout.h"
#include "default_settings.h"
#include "program_fixture.h"

namespace zorvane::testing {
namespace {

class ProgramStartupTest : public ::testing::Test, public ProgramFixture {};

TEST_F(ProgramStartupTest, StartsFoldedAtTheBottomRightWithTheFocusInTheMinutes) {
  Start();
  EXPECT_EQ(MainBounds(), (Rect{1670, 986, 250, 94}));
  EXPECT_TRUE(ui.IsWindowVisible(Main()));
  EXPECT_EQ(ui.FocusedControl(), Control(main_window::kMinutes));
  EXPECT_EQ(Text(main_window::kStart), "B");
  EXPECT_EQ(Text(main_window::kPause), "P");
  EXPECT_EQ(program->State().RemainingSeconds.load(), 0);
  EXPECT_FALSE(program->DisplayWindow());
}

TEST_F(ProgramStartupTest, GearSwitchesWidthsAgainstTheRightEdgeAndKeepsTheTop) {
  Start();
  ui.Click(Control(main_window::kFold));
  EXPECT_EQ(MainBounds(), (Rect{1410, 986, 510, 94}));
  ui.Click(Control(main_window::kFold));
  EXPECT_EQ(MainBounds(), (Rect{1670, 986, 250, 94}));

  // A new resolution: the next toggle finds the new right edge; the top stays.
  ui.SetScreenSize({1280, 720});
  ui.Click(Control(main_window::kFold));
  EXPECT_EQ(MainBounds(), (Rect{770, 986, 510, 94}));

  // Any width but the folded one counts as expanded.
  ui.SetWindowBounds(Main(), {100, 986, 300, 94});
  ui.Click(Control(main_window::kFold));
  EXPECT_EQ(MainBounds(), (Rect{1030, 986, 250, 94}));
}

TEST_F(ProgramStartupTest, AboutAreaIsReachableOnlyExpanded) {
  Start();
  EXPECT_FALSE(ui.IsControlShown(Control(main_window::kHelpButton)));
  ui.Click(Control(main_window::kFold));
  EXPECT_TRUE(ui.IsControlShown(Control(main_window::kHelpButton)));
  EXPECT_TRUE(ui.IsControlShown(Control(main_window::kNotesButton)));
  EXPECT_FALSE(ui.IsControlShown(Control(main_window::kSave)));
}

TEST_F(ProgramStartupTest, TabPassesOverTheAboutButtonsOnlyWhileFolded) {
  Start();
  const auto tabFrom = [&](std::string_view from) {
    ui.SetFocus(Control(from));
    ui.PressTab();
    return std::string(ui.ControlSpecOf(ui.FocusedControl()).name);
  };
  // Folded, the two about buttons (focus no. 0 like the minutes) lie outside the bar.
  EXPECT_EQ(tabFrom(main_window::kMinutes), main_window::kSeconds);
  ui.Click(Control(main_window::kFold));
  EXPECT_EQ(tabFrom(main_window::kMinutes), main_window::kHelpButton);
  EXPECT_EQ(tabFrom(main_window::kHelpButton), main_window::kNotesButton);
  EXPECT_EQ(tabFrom(main_window::kNotesButton), main_window::kSeconds);
}

TEST_F(ProgramStartupTest, FirstRunCreatesAnEmptyFileAndShowsTheDefaults) {
  Start();
  EXPECT_EQ(ConfigFile(), "");
  EXPECT_EQ(Text(main_window::kDigitWidth), "120");
  EXPECT_EQ(Text(main_window::kDigitHeight), " 200");
  EXPECT_EQ(Text(main_window::kSegmentThickness), "20");
  EXPECT_EQ(Text(main_window::kSegmentGap), "2");
  EXPECT_EQ(ui.ControlColour(Control(main_window::kBackgroundColour)), 13948116u);
  EXPECT_EQ(ui.ControlColour(Control(main_window::kLitColour)), 0u);
  EXPECT_EQ(ui.ControlColour(Control(main_window::kUnlitColour)), 15527148u);
  EXPECT_EQ(ui.ControlColour(Control(main_window::kAlarmColour)), 255u);
  EXPECT_EQ(ui.ControlColour(Control(main_window::kSeparatorColour)), 0u);
}

TEST_F(ProgramStartupTest, EscapeEndsTheProgramAndWritesTheElevenLines) {
  Start();
  ui.Post([&] { ui.PressEscape(Main()); });
  ui.RunMessageLoop();
  EXPECT_FALSE(ui.WindowExists(Main()));
  EXPECT_EQ(ConfigFile(), kElevenLines);

  // The second run reads the height without its blank.
  program.reset();
  Start();
  EXPECT_EQ(Text(main_window::kDigitHeight), "200");
}

TEST_F(ProgramStartupTest, ExitButtonEndsTheProgramAndSavesToo) {
  Start();
  ui.Post([&] { ui.Click(Control(main_window::kExit)); });
  ui.RunMessageLoop();
  EXPECT_FALSE(ui.WindowExists(Main()));
  EXPECT_EQ(ConfigFile(), kElevenLines);
}

TEST_F(ProgramStartupTest, ClosingWithoutACountdownTouchesNoThread) {
  Start();
  ui.RequestClose(Main());
  EXPECT_EQ(scheduler.TerminationCount(), 0);
  EXPECT_EQ(scheduler.OpenHandleCount(), 0);
  EXPECT_EQ(files.ReplacementCount(), 1);
}

TEST_F(ProgramStartupTest, ShutdownLetsALateRedrawFinishBeforeClosingItsHandle) {
  Start();
  program->State().RedrawThread = scheduler.StartThread([&] { scheduler.Sleep(300); });
  ui.RequestClose(Main());
  EXPECT_EQ(scheduler.TerminationCount(), 0);
  EXPECT_EQ(scheduler.OpenHandleCount(), 0);
  EXPECT_FALSE(program->State().RedrawThread);
}

TEST_F(ProgramStartupTest, ShutdownTerminatesARedrawThatDoesNotEnd) {
  Start();
  program->State().RedrawThread = scheduler.StartThread([&] { scheduler.Sleep(60000); });
  const std::int64_t before = scheduler.Now();
  ui.RequestClose(Main());
  EXPECT_EQ(scheduler.Now() - before, 1000);  // the grace period, then the last resort
  EXPECT_EQ(scheduler.TerminationCount(), 1);
  EXPECT_EQ(scheduler.OpenHandleCount(), 0);
  EXPECT_EQ(ConfigFile(), kElevenLines);
}

}  // namespace
}  // namespace zorvane::testing
