// The screen changing under a running countdown: a new resolution, monitors plugged and
// unplugged, the work area, and a new DPI for each window. The bar docks again, or keeps
// the place the user dragged it to while it is whole; the display is centred again at once
// and laid out at its window's own DPI; the countdown goes on as before.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "countdown_fixture.h"

namespace zorvane::testing {
namespace {

using namespace main_window;

class ScreenChangeTest : public ::testing::Test, public CountdownFixture {
 protected:
  void SetUp() override { Start(); }
  Rect DisplayBounds() const { return ui.WindowBounds(Display()); }
};

TEST_F(ScreenChangeTest, BarAndDisplayFollowEachResolutionMidCountdown) {
  StartCountdown("3", "0");
  const ControlHandle focused = ui.FocusedControl();
  struct Stage {
    Size screen;
    Rect bar, display;
  };
  for (const Stage& stage : {Stage{{1280, 720}, {1030, 626, 250, 94}, {348, 255, 584, 210}},
                             Stage{{1024, 768}, {774, 674, 250, 94}, {220, 279, 584, 210}},
                             Stage{{1920, 1080}, {1670, 986, 250, 94}, {668, 435, 584, 210}}}) {
    ui.ChangeResolution(stage.screen);
    EXPECT_EQ(MainBounds(), stage.bar) << stage.screen.width;
    EXPECT_EQ(DisplayBounds(), stage.display) << stage.screen.width;
  }
  EXPECT_EQ(ui.FocusedControl(), focused);
  EXPECT_EQ(ShownEachSecond(3), (std::vector<std::string>{"180", "180", "179", "178"}));

  // Expanded, the bar keeps its width in the new corner; the gear goes on from there.
  Press(kFold);
  ui.ChangeResolution({1280, 720});
  EXPECT_EQ(MainBounds(), (Rect{770, 626, 510, 94}));
  Press(kFold);
  EXPECT_EQ(MainBounds(), (Rect{1030, 626, 250, 94}));

  // A work area changed by the taskbar brings the bar to the corner of the screen as it is.
  ui.SetScreenSize({1366, 768});
  ui.ChangeWorkArea();
  EXPECT_EQ(MainBounds(), (Rect{1116, 674, 250, 94}));
  EXPECT_EQ(Text(kStart), "S");
}

TEST_F(ScreenChangeTest, ADraggedBarStaysWhileWholeOnAMonitorElseMovesWholeOntoTheNearest) {
  ui.Drag(Main(), {100, 200});
  ui.ChangeResolution({1280, 720});
  EXPECT_EQ(MainBounds(), (Rect{100, 200, 250, 94}));
  ui.Drag(Main(), {1000, 600});
  ui.ChangeResolution({1024, 768});
  EXPECT_EQ(MainBounds(), (Rect{774, 600, 250, 94}));

  // A second monitor on the right, then unplugged: the bar comes onto the primary one.
  ui.ChangeMonitors({{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}});
  ui.Drag(Main(), {2500, 950});
  ui.ChangeMonitors({{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}});
  EXPECT_EQ(MainBounds(), (Rect{2500, 930, 250, 94}));
  ui.ChangeMonitors({{0, 0, 1920, 1080}});
  EXPECT_EQ(MainBounds(), (Rect{1670, 930, 250, 94}));
}

// The bar laid out again at 144 DPI, in whatever rectangle the system suggests, docks at
// its 144-DPI size, and the gear takes the widths of that DPI, not the system's.
TEST_F(ScreenChangeTest, TheBarKeepsItsFoldAtEachNewDpiAndDocksAgain) {
  ui.ChangeWindowDpi(Main(), 144, {1200, 900, 375, 141});
  EXPECT_EQ(MainBounds(), (Rect{1545, 939, 375, 141}));
  Press(kFold);
  EXPECT_EQ(MainBounds(), (Rect{1155, 939, 765, 141}));
  Press(kFold);
  EXPECT_EQ(MainBounds(), (Rect{1545, 939, 375, 141}));
  for (std::string_view button : {kStart, kFold, kPause, kExit}) {
    const Rect rect = ui.ControlRect(Control(button));
    EXPECT_LE(rect.left + rect.width, MainBounds().width) << button;
  }
  Press(kFold);
  ui.ChangeWindowDpi(Main(), 96, {1300, 950, 510, 94});
  EXPECT_EQ(MainBounds(), (Rect{1410, 986, 510, 94}));
  Press(kFold);
  EXPECT_EQ(MainBounds(), (Rect{1670, 986, 250, 94}));
  Press(kFold);
  EXPECT_EQ(MainBounds(), (Rect{1410, 986, 510, 94}));

  // Dragged onto a monitor of another scale, it stays where the user takes it.
  ui.Drag(Main(), {300, 300});
  ui.ChangeWindowDpi(Main(), 144, {310, 305, 764, 142});
  EXPECT_EQ(MainBounds(), (Rect{310, 305, 765, 141}));
}

// At a new DPI the display is sized, centred and drawn again at once, from the settings'
// logical lengths, with every digit whole; the ticks go on at that scale.
TEST_F(ScreenChangeTest, TheDisplayIsLaidOutAgainAtItsNewDpi) {
  StartCountdown("4", "59");
  ui.ChangeWindowDpi(Display(), 72, {741, 461, 438, 157});
  const ProgramState& s = program->State();
  EXPECT_EQ((std::array{s.DisplayMarginX.load(), s.DigitWidth.load(), s.DigitHeight.load(),
                        s.SegmentThickness.load(), s.SegmentGap.load(), s.DigitSpace.load()}),
            (std::array{4, 90, 150, 15, 2, 2}));
  EXPECT_EQ(DisplayBounds(), (Rect{741, 461, 437, 158}));
  EXPECT_EQ(drawing.WindowPicture(Display())->size, (Size{437, 158}));
  At(1001);
  // The middle bar of the last 9 (cell at 341, 92 pitch, 90 wide, 150 high).
  EXPECT_EQ(drawing.WindowPicture(Display())->Pixel(341 + 45, 4 + 75), Colour{0});

  Press(kPause);
  ui.ChangeWindowDpi(Display(), 144, {0, 0, 500, 200});
  EXPECT_EQ(DisplayBounds(), (Rect{520, 382, 879, 316}));
  EXPECT_EQ(drawing.WindowPicture(Display())->size, (Size{879, 316}));
  EXPECT_EQ(Text(kRemaining), "299");
}

}  // namespace
}  // namespace zorvane::testing
