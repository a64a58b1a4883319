// The picture on the display window: where the digits and dots fall, their colours in
// each state, and that any size draws safely.
#include <gtest/gtest.h>

#include "app/main_window_layout.h"
#include "program_fixture.h"

namespace zorvane::testing {
namespace {

using namespace main_window;

constexpr Colour kBackground = 13948116;  // the defaults
constexpr Colour kLit = 0;
constexpr Colour kUnlit = 15527148;
constexpr Colour kAlarm = 255;

class TimeDisplayTest : public ::testing::Test, public ProgramFixture {
 protected:
  void SetUp() override { Start(); }
  void Show(std::string_view minutes, std::string_view seconds) {
    ui.Type(Control(kMinutes), minutes);
    ui.Type(Control(kSeconds), seconds);
    ui.Click(Control(kStart));
  }
  memory::MemoryDrawing::Picture Picture() const {
    auto picture = drawing.WindowPicture(Display());
    EXPECT_TRUE(picture.has_value());
    return picture.value_or(memory::MemoryDrawing::Picture{});
  }
  // The colours at the middle of each segment of the digit cell at `left`, in the order
  // a b c d e f g (default geometry: W 120, H 200, B 20 at the top margin 5).
  std::vector<Colour> Segments(int left) const {
    const auto p = Picture();
    const Point centres[] = {{60, 10}, {110, 55}, {110, 155}, {60, 190}, {10, 155}, {10, 55}, {60, 100}};
    std::vector<Colour> colours;
    for (const Point& c : centres) colours.push_back(p.Pixel(left + c.x, 5 + c.y));
    return colours;
  }
  static std::vector<Colour> Digit(std::string_view pattern, Colour on, Colour off = kUnlit) {
    std::vector<Colour> colours;
    for (char c : pattern) colours.push_back(c == '1' ? on : off);
    return colours;
  }
};

TEST_F(TimeDisplayTest, FourMinutesFiftyNineLaidOutOnTheScreen) {
  Show("4", "59");
  const auto p = Picture();
  EXPECT_EQ(p.size, (Size{584, 210}));
  EXPECT_EQ(Segments(5), Digit("1111110", kLit));     // 0
  EXPECT_EQ(Segments(128), Digit("0110011", kLit));   // 4
  EXPECT_EQ(Segments(333), Digit("1011011", kLit));   // 5
  EXPECT_EQ(Segments(456), Digit("1111011", kLit));   // 9
  // The dots fill (278, 38)-(305, 71) and (278, 138)-(305, 171), in the separator colour.
  EXPECT_EQ(p.Pixel(291, 54), kLit);
  EXPECT_EQ(p.Pixel(291, 154), kLit);
  EXPECT_EQ(p.Pixel(291, 36), kBackground);
  EXPECT_EQ(p.Pixel(291, 73), kBackground);
  EXPECT_EQ(p.Pixel(276, 54), kBackground);
  EXPECT_EQ(p.Pixel(307, 154), kBackground);
  // Margins and the three-pixel space between digits show the background.
  EXPECT_EQ(p.Pixel(2, 100), kBackground);
  EXPECT_EQ(p.Pixel(126, 55), kBackground);
  EXPECT_EQ(p.Pixel(580, 100), kBackground);
}

TEST_F(TimeDisplayTest, SecondsTurnToTheAlarmColourBelowSixty) {
  Show("1", "0");
  EXPECT_EQ(Segments(333), Digit("1111110", kLit));
  scheduler.AdvanceTo(2001);  // the tick drawing 59
  EXPECT_EQ(Segments(333), Digit("1011011", kAlarm));
  EXPECT_EQ(Segments(456), Digit("1111011", kAlarm));
  EXPECT_EQ(Segments(128), Digit("1111110", kLit));  // the minutes keep the lit colour
}

TEST_F(TimeDisplayTest, TenMinutesFiveReadsTenZeroFive) {
  Show("10", "5");
  EXPECT_EQ(Segments(5), Digit("0110000", kLit));
  EXPECT_EQ(Segments(128), Digit("1111110", kLit));
  EXPECT_EQ(Segments(333), Digit("1111110", kLit));
  EXPECT_EQ(Segments(456), Digit("1011011", kLit));
}

TEST_F(TimeDisplayTest, AColourChangedDuringTheCountdownShowsAtTheNextTick) {
  Show("2", "0");
  ui.SetControlColour(Control(kLitColour), 0x00FF00);
  EXPECT_EQ(Segments(5)[0], kLit);
  scheduler.AdvanceTo(1001);
  EXPECT_EQ(Segments(5)[0], 0x00FF00u);
}

TEST_F(TimeDisplayTest, ANegativeTotalShowsItsMinus) {
  Show("", "-5");
  EXPECT_EQ(Segments(333), Digit("0000001", kAlarm));
  EXPECT_EQ(Segments(456), Digit("1011011", kAlarm));
}

// With time over shown, the minus takes a digit cell of its own before the minutes: the
// display is one cell wider, centred again, and every digit is in the alarm colour.
class OvertimeDisplayTest : public TimeDisplayTest {
 protected:
  void SetUp() override {
    files.AddFile(kConfigPath, "[stage]\r\nOvertime=1\r\n");
    Start();
  }
};

TEST_F(OvertimeDisplayTest, TimeOverIsMinusMinutesSecondsOneCellWiderAllInTheAlarmColour) {
  Show("0", "1");
  scheduler.AdvanceTo(63001);  // zero at 2 s, then a minute and a second over
  EXPECT_EQ(Text(kRemaining), "-61");
  EXPECT_EQ(ui.WindowBounds(Display()), (Rect{606, 435, 707, 210}));
  EXPECT_EQ(Segments(5), Digit("0000001", kAlarm));    // -
  EXPECT_EQ(Segments(128), Digit("1111110", kAlarm));  // 0
  EXPECT_EQ(Segments(251), Digit("0110000", kAlarm));  // 1
  EXPECT_EQ(Picture().Pixel(414, 54), kLit);           // the colon keeps its colour
  EXPECT_EQ(Segments(456), Digit("1111110", kAlarm));  // 0
  EXPECT_EQ(Segments(579), Digit("0110000", kAlarm));  // 1
}

TEST_F(TimeDisplayTest, RedrawsFreeEveryObjectTheyMake) {
  Show("0", "15");
  scheduler.AdvanceTo(20000);
  EXPECT_EQ(drawing.LiveObjectCount(), 0);
}

TEST_F(TimeDisplayTest, AnySizeDrawsSafely) {
  const std::pair<const char*, const char*> sizes[][2] = {
      {{"0", "0"}, {"0", "0"}},
      {{"-50", "-80"}, {"-10", "-3"}},
      {{"3", "400"}, {"90", "0"}},  // thickness far beyond the cell: crossed polygons
      {{"100000", "100000"}, {"20", "2"}},
      {{"2147483647", "2147483647"}, {"2147483647", "2147483647"}},
  };
  for (const auto& size : sizes) {
    ui.SetControlText(Control(kDigitWidth), size[0].first);
    ui.SetControlText(Control(kDigitHeight), size[0].second);
    ui.SetControlText(Control(kSegmentThickness), size[1].first);
    ui.SetControlText(Control(kSegmentGap), size[1].second);
    Show("0", "3");
    scheduler.AdvanceBy(1500);
    ui.Click(Control(kStart));
    ui.SetControlText(Control(kMinutes), "");
    ui.SetControlText(Control(kSeconds), "");
  }
  EXPECT_EQ(drawing.LiveObjectCount(), 0);
}

TEST_F(TimeDisplayTest, WhiteBackgroundIsSeeThroughInTheKeyedLook) {
  ui.SetControlColour(Control(kBackgroundColour), kWhite);
  Show("0", "20");
  EXPECT_EQ(drawing.Layered(Display()).key, kWhite);
  EXPECT_EQ(drawing.Layered(Display()).flags, LayeredFlags::ColourKey);
  EXPECT_EQ(Picture().Pixel(2, 2), kWhite);
}

}  // namespace
}  // namespace zorvane::testing
