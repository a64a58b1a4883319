// The display on a presenter's stage. With OnTop=1 it stays above a slide show that makes
// itself topmost, and the bar with it, without ever taking the keyboard from the slide
// show; with Monitor=N or Monitor=bar it opens centred on that monitor, at that monitor's
// DPI, and follows the monitor when it goes and comes back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "countdown_fixture.h"

namespace zorvane::testing {
namespace {

using namespace main_window;

class PresenterStageTest : public ::testing::Test, public CountdownFixture {
 protected:
  void StartWith(const std::string& stage) {
    files.AddFile(kConfigPath, "[stage]\r\n" + stage + "\r\n");
    Start();
  }
  Rect DisplayBounds() const { return ui.WindowBounds(Display()); }
  std::vector<WindowHandle> TopThree() const {
    const std::vector<WindowHandle> order = ui.ZOrder();
    return {order.begin(), order.begin() + 3};
  }
};

TEST_F(PresenterStageTest, TheDisplayAndTheBarGoBackAboveASlideShowThatKeepsTheKeyboard) {
  StartWith("OnTop=1");
  const WindowHandle slides = ui.OpenOtherProgramWindow(true);
  StartCountdown("2", "0");
  EXPECT_TRUE(ui.IsTopmost(Display()));
  EXPECT_EQ(ui.ZOrder().front(), Display());
  EXPECT_EQ(ui.ActiveWindow(), slides);

  // The slide show raises itself again (its next slide, say): within a quarter of a second
  // the display and the bar are above it, and it still has the keyboard, tick after tick.
  for (const std::int64_t at : {400, 1300, 2900}) {
    At(at);
    ui.Activate(slides);
    EXPECT_EQ(ui.ZOrder().front(), slides);
    At(at + 250);
    EXPECT_EQ(TopThree(), (std::vector{Display(), Main(), slides})) << at;
    EXPECT_EQ(ui.ActiveWindow(), slides) << at;
  }
  // Paused, the display is still kept above.
  Press(kPause);
  ui.Activate(slides);
  At(4000);
  EXPECT_EQ(ui.ZOrder().front(), Display());

  // Clicked, the display has the keyboard, and Esc there stops the countdown.
  ui.Activate(Display());
  ui.PressEscape(Display());
  EXPECT_EQ(Text(kStart), "B");
}

TEST_F(PresenterStageTest, WithoutTheLineTheDisplayIsAnOrdinaryWindowThatTakesTheKeyboard) {
  Start();
  const WindowHandle slides = ui.OpenOtherProgramWindow(true);
  StartCountdown("2", "0");
  EXPECT_FALSE(ui.IsTopmost(Display()));
  EXPECT_EQ(ui.ActiveWindow(), Display());
  ui.Activate(slides);
  At(3001);
  EXPECT_EQ(ui.ZOrder().front(), slides);
  EXPECT_EQ(ui.ActiveWindow(), slides);
  EXPECT_EQ(DisplayBounds(), (Rect{668, 435, 584, 210}));
}

// The projector at 150 % on the right of the laptop's screen.
TEST_F(PresenterStageTest, TheChosenMonitorHoldsTheDisplayAtItsDpiAndIsFollowedWhenItGoesAndComes) {
  const std::vector<Rect> both{{0, 0, 1920, 1080}, {1920, 0, 1280, 720}};
  ui.ChangeMonitors(both, {96, 144});
  StartWith("Monitor=2");
  StartCountdown("4", "59");
  const Rect onProjector{1920 + 200, 202, 879, 316};
  EXPECT_EQ(DisplayBounds(), onProjector);
  EXPECT_EQ(ui.WindowDpi(Display()), 144);
  EXPECT_EQ(program->State().DigitWidth.load(), 180);

  ui.ChangeMonitors({both[0]}, {96});
  EXPECT_EQ(DisplayBounds(), (Rect{668, 435, 584, 210}));
  EXPECT_EQ(drawing.WindowPicture(Display())->size, (Size{584, 210}));
  ui.ChangeMonitors(both, {96, 144});
  EXPECT_EQ(DisplayBounds(), onProjector);
  EXPECT_EQ(drawing.WindowPicture(Display())->size, (Size{879, 316}));
}

// A primary screen smaller than the projector on its left, at negative x.
TEST_F(PresenterStageTest, MonitorBarTakesTheDisplayToTheBarsMonitorAtTheNextStart) {
  ui.ChangeMonitors({{0, 0, 1280, 720}, {-1920, -360, 1920, 1080}});
  StartWith("Monitor=bar");
  ui.Drag(Main(), {-600, 500});
  StartCountdown("1", "0");
  EXPECT_EQ(DisplayBounds(), (Rect{-1920 + 668, -360 + 435, 584, 210}));
  Press(kStart);
  ui.Drag(Main(), {900, 600});
  Press(kStart);
  EXPECT_EQ(DisplayBounds(), (Rect{348, 255, 584, 210}));
}

}  // namespace
}  // namespace zorvane::testing
