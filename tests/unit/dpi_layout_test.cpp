// Every window laid out in the screen's pixels: the layouts, docking and folding, and the
// display at 96, 120, 144 and 192 DPI, while the settings keep their logical lengths.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "auxwindows/help_window_layout.h"
#include "auxwindows/update_notes_layout.h"
#include "display/display_window_layout.h"
#include "platform/dpi_scale.h"
#include "program_fixture.h"
#include "resources/pictures.h"
#include "tests/support/driven_window_system.h"

namespace zorvane::testing {
namespace {

using namespace main_window;

struct Figures {
  int dpi;
  Rect bar;       // folded and docked
  Rect expanded;  // after the gear
  Rect display;   // 4:59 with the default settings
  std::array<std::int32_t, 7> geometry;  // margins, W, H, B, S, digit space
};

constexpr Figures kFigures[] = {
    {96, {1670, 986, 250, 94}, {1410, 986, 510, 94}, {668, 435, 584, 210},
     {5, 5, 120, 200, 20, 2, 3}},
    {120, {1607, 962, 313, 118}, {1282, 962, 638, 118}, {595, 409, 730, 262},
     {6, 6, 150, 250, 25, 3, 4}},
    {144, {1545, 939, 375, 141}, {1155, 939, 765, 141}, {520, 382, 879, 316},
     {8, 8, 180, 300, 30, 3, 5}},
    {192, {1420, 892, 500, 188}, {900, 892, 1020, 188}, {376, 330, 1168, 420},
     {10, 10, 240, 400, 40, 4, 6}},
};

void PrintTo(const Figures& figures, std::ostream* out) { *out << figures.dpi << " DPI"; }

class DpiScalingTest : public ::testing::TestWithParam<Figures>, public ProgramFixture {
 protected:
  void SetUp() override { ui.SetScreenDpi(GetParam().dpi); }
};

TEST_P(DpiScalingTest, BarDocksAndFoldsInTheScreensPixels) {
  Start();
  EXPECT_EQ(MainBounds(), GetParam().bar);
  EXPECT_FALSE(ui.IsControlShown(Control(kHelpButton)));
  EXPECT_TRUE(ui.IsControlShown(Control(kExit)));
  ui.Click(Control(kFold));
  EXPECT_EQ(MainBounds(), GetParam().expanded);
  EXPECT_TRUE(ui.IsControlShown(Control(kNotesButton)));
  ui.Click(Control(kFold));
  EXPECT_EQ(MainBounds(), GetParam().bar);
}

TEST_P(DpiScalingTest, DisplayIsLaidOutAtStartWhileTheSettingsStayLogical) {
  Start();
  ui.Type(Control(kMinutes), "4");
  ui.Type(Control(kSeconds), "59");
  ui.Click(Control(kStart));
  EXPECT_EQ(ui.WindowBounds(Display()), GetParam().display);
  const ProgramState& s = program->State();
  EXPECT_EQ((std::array{s.DisplayMarginX.load(), s.DisplayMarginY.load(), s.DigitWidth.load(),
                        s.DigitHeight.load(), s.SegmentThickness.load(), s.SegmentGap.load(),
                        s.DigitSpace.load()}),
            GetParam().geometry);
  ui.Click(Control(kExit));
  EXPECT_NE(ConfigFile().find("Width=120\r\n"), std::string::npos);
}

// Neighbours that touch at 96 DPI touch at every DPI, and none gains or loses an overlap:
// every edge stays on its side of each sibling's opposite edge.
TEST_P(DpiScalingTest, EveryLayoutKeepsItsNeighbours) {
  const auto side = [](int end, int start) { return (start > end) - (start < end); };
  for (const WindowSpec* layout : {&MainWindowSpec(), &HelpWindowSpec(),
                                   &UpdateNotesWindowSpec(), &DisplayWindowSpec()}) {
    const WindowHandle window = ui.CreateWindowFromLayout(*layout, {});
    const Rect bounds = ui.WindowBounds(window);
    EXPECT_EQ((Size{bounds.width, bounds.height}), ScaleSize(layout->size, GetParam().dpi));
    for (const ControlSpec& a : layout->controls) {
      const Rect onScreenA = ui.ControlRect(ui.FindControl(window, a.name));
      if (GetParam().dpi == kLogicalDpi) {
        EXPECT_EQ(onScreenA, a.rect) << a.name;
      }
      for (const ControlSpec& b : layout->controls) {
        if (a.parent != b.parent) continue;
        const Rect onScreenB = ui.ControlRect(ui.FindControl(window, b.name));
        EXPECT_EQ(side(a.rect.left + a.rect.width, b.rect.left),
                  side(onScreenA.left + onScreenA.width, onScreenB.left)) << a.name << b.name;
        EXPECT_EQ(side(a.rect.top + a.rect.height, b.rect.top),
                  side(onScreenA.top + onScreenA.height, onScreenB.top)) << a.name << b.name;
      }
    }
    ui.DestroyWindow(window);
  }
}

INSTANTIATE_TEST_SUITE_P(AtEachDpi, DpiScalingTest, ::testing::ValuesIn(kFigures));

TEST(DpiScaling, LengthsRoundHalfAwayFromZeroAndRectanglesScaleTheirEdges) {
  EXPECT_EQ(ScaleLength(-5, 144), -8);
  EXPECT_EQ(ScaleRect({5, 15, 67, 24}, 144), (Rect{8, 23, 100, 36}));  // not 101 wide
  EXPECT_EQ(ScaleLength(2147483647, 144), 2147483647);  // a size however large stays so
}

TEST(DpiScaling, AWindowKeepsItsOwnScaledRowsFontsIncludedAndShowsItsPictures) {
  support::DrivenWindowSystem ui;
  ui.SetScreenDpi(144);
  WindowHandle window;
  {
    const std::vector<ControlSpec> rows = {
        {.name = "a", .rect = {74, 15, 32, 24}, .font = {"", 15, kBoldWeight}},
        {.name = "b", .kind = ControlKind::Button, .rect = {162, 10, 32, 32},
         .picture = pictures::PlayButton}};
    window = ui.CreateWindowFromLayout({.name = "W", .size = {501, 94}, .controls = rows}, {});
  }
  const ControlHandle a = ui.FindControl(window, "a");
  EXPECT_EQ(ui.ControlRect(a), (Rect{111, 23, 48, 36}));
  EXPECT_EQ(ui.ControlSpecOf(a).font.pixelHeight, 23);
  EXPECT_TRUE(ui.ShowsPicture(ui.FindControl(window, "b")));
  EXPECT_EQ(ui.WindowBounds(window), (Rect{584, 469, 752, 141}));
}

}  // namespace
}  // namespace zorvane::testing
