// The help window's table against what the page must show: a fixed page of transparent
// texts over two pictures of the main window, the numbers ① to ⑥ on the controls they
// explain, and the two labels "分" and "秒" inside the red outlines of the small picture.
#include "auxwindows/help_window_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "gbk_check.h"
#include "layout_lookup.h"
#include "platform/dpi_scale.h"
#include "platform/jpeg/jpeg_codec.h"

namespace zorvane {
namespace {

// The big picture shows the main window with its 3-pixel dialog frame.
constexpr int kMainWindowFrame = 3;

const ControlSpec& Find(std::string_view name) { return FindIn(HelpWindowSpec(), name); }

// Where a one-line text of `pixelHeight` lands in a label: vertically centred, from the
// label's left edge.
Rect GlyphBox(const ControlSpec& label) {
  const int height = label.font.pixelHeight;
  return {label.rect.left, label.rect.top + (label.rect.height - height) / 2, height, height};
}

bool Intersect(Rect a, Rect b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(HelpWindowLayout, TwentyThreeVisibleControlsAllTextsTransparentAndInTheCodePage) {
  EXPECT_EQ(HelpWindowSpec().title, "\xC8\xED\xBC\xFE\xCC\xE1\xCA\xBE");  // 软件提示
  const auto controls = HelpWindowSpec().controls;
  EXPECT_EQ(controls.size(), 23u);
  std::set<std::string_view> names;
  int pictures = 0;
  for (const ControlSpec& control : controls) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    EXPECT_TRUE(control.visible) << control.name;
    EXPECT_FALSE(control.tabStop) << control.name;
    EXPECT_TRUE(control.parent.empty()) << control.name;
    EXPECT_TRUE(testing::IsGbk(control.name)) << control.name;
    if (control.kind == ControlKind::PicBox) {
      ++pictures;
      continue;
    }
    EXPECT_EQ(control.kind, ControlKind::TransLabel) << control.name;
    EXPECT_EQ(control.align, TextAlign::Left) << control.name;
    EXPECT_FALSE(control.text.empty()) << control.name;
    EXPECT_TRUE(testing::IsGbk(control.text)) << control.name;
  }
  EXPECT_EQ(pictures, 2);
}

TEST(HelpWindowLayout, EachNumberIsOneRedMarkerAndStartsOneHeading) {
  const std::string numbers[] = {"\xA2\xD9", "\xA2\xDA", "\xA2\xDB",
                                 "\xA2\xDC", "\xA2\xDD", "\xA2\xDE"};  // ① to ⑥
  for (const std::string& number : numbers) {
    int markers = 0;
    int headings = 0;
    for (const ControlSpec& control : HelpWindowSpec().controls) {
      if (control.text == number) {
        ++markers;
        EXPECT_EQ(control.textColour, 255u);
        EXPECT_EQ(control.font.pixelHeight, 19);
        EXPECT_EQ(control.font.weight, kBoldWeight);
      } else if (control.text.starts_with(number + " ")) {
        ++headings;
        EXPECT_EQ(control.textColour, 14692440u) << control.name;  // violet
      }
    }
    EXPECT_EQ(markers, 1) << number;
    EXPECT_EQ(headings, 1) << number;
  }
}

TEST(HelpWindowLayout, TextsKeepTheirFullWidthPunctuation) {
  const std::string_view doNotType = Find(help_window::kRemainingNote).text;
  EXPECT_TRUE(doNotType.starts_with("\xA3\xA8") && doNotType.ends_with("\xA3\xA9"));  // （ ）
  const std::string_view start = Find(help_window::kStartNote).text;
  EXPECT_TRUE(start.ends_with("\xA3\xBB"));                  // ；
  EXPECT_NE(start.find("\xA3\xAC"), std::string_view::npos);  // ，
  EXPECT_TRUE(Find(help_window::kExitNote).text.starts_with("\xA3\xA8"));
  const std::string_view welcome = Find(help_window::kWelcome).text;
  EXPECT_TRUE(welcome.find("Quillomar") < welcome.find("Zorvane"));
  EXPECT_TRUE(welcome.ends_with("\xA1\xA3"));  // 。
}

TEST(HelpWindowLayout, MarkersSitOnTheControlsOfTheMainWindowPicture) {
  const ControlSpec& figure = Find(help_window::kMainWindowPicture);
  const auto inHelpWindow = [&](std::string_view mainControl) {
    for (const ControlSpec& control : MainWindowSpec().controls) {
      if (control.name != mainControl) continue;
      return Rect{figure.rect.left + kMainWindowFrame + control.rect.left,
                  figure.rect.top + kMainWindowFrame + control.rect.top, control.rect.width,
                  control.rect.height};
    }
    throw std::out_of_range(std::string(mainControl));
  };
  // ① and ② stand beside their rows, left of the row's label.
  const std::pair<std::string_view, std::string_view> rows[] = {
      {help_window::kTimeEntryMarker, main_window::kMinutes},
      {help_window::kRemainingMarker, main_window::kRemaining}};
  for (const auto& [marker, control] : rows) {
    const Rect glyph = GlyphBox(Find(marker));
    const Rect row = inHelpWindow(control);
    EXPECT_TRUE(Intersect({0, glyph.top, 1000, glyph.height}, row)) << marker;
    EXPECT_LE(glyph.left + glyph.width, inHelpWindow(main_window::kTimeEntryLabel).left) << marker;
  }
  // ③ to ⑥ cover a corner of their buttons.
  const std::pair<std::string_view, std::string_view> buttons[] = {
      {help_window::kStartMarker, main_window::kStart},
      {help_window::kPauseMarker, main_window::kPause},
      {help_window::kFoldMarker, main_window::kFold},
      {help_window::kExitMarker, main_window::kExit}};
  for (const auto& [marker, button] : buttons) {
    EXPECT_TRUE(Intersect(GlyphBox(Find(marker)), inHelpWindow(button))) << marker;
  }
}

// Each figure is made at five scales; at each, it is the size the one rule gives its
// 96-DPI size, and the rest of the page lies on it as at 96 DPI.
constexpr int kMadeScales[] = {96, 120, 144, 168, 192};

Picture MadeAt(const ControlSpec& box, int dpi) {
  const PictureAtDpi made = box.picture.ChooseFor(dpi);
  EXPECT_EQ(made.dpi, dpi) << "no picture made for " << dpi << " DPI";
  const std::optional<Picture> picture = DecodeJpeg(made.jpeg);
  if (!picture) throw std::runtime_error("a help picture does not decode");
  return *picture;
}

TEST(HelpWindowLayout, MainWindowPictureIsTheFoldedWindowAndLeavesRoomInItsBox) {
  const ControlSpec& box = Find(help_window::kMainWindowPicture);
  const Picture picture = MadeAt(box, kLogicalDpi);
  EXPECT_EQ(picture.width, 250);
  EXPECT_EQ(picture.height, 94);
  EXPECT_EQ(box.rect.width - picture.width, 6);
  EXPECT_EQ(box.rect.height - picture.height, 18);
  for (int dpi : kMadeScales) {
    const Picture scaled = MadeAt(box, dpi);
    EXPECT_EQ(scaled.width, ScaleLength(250, dpi)) << dpi;
    EXPECT_EQ(scaled.height, ScaleLength(94, dpi)) << dpi;
  }
}

// The columns (or, turned round, rows) where the picture holds a long red line: the
// outlines round the minutes and seconds boxes.
std::vector<std::pair<int, int>> RedLines(const Picture& picture, bool columns) {
  const auto red = [&](int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 3;
    return picture.bgr[at + 2] > 180 && picture.bgr[at + 1] < 90 && picture.bgr[at] < 90;
  };
  const int lines = columns ? picture.width : picture.height;
  const int along = columns ? picture.height : picture.width;
  std::vector<std::pair<int, int>> runs;  // first and last line of each group
  for (int line = 0; line < lines; ++line) {
    int count = 0;
    for (int i = 0; i < along; ++i) count += (columns ? red(line, i) : red(i, line)) ? 1 : 0;
    if (count < 20) continue;
    if (!runs.empty() && runs.back().second == line - 1) {
      runs.back().second = line;
    } else {
      runs.emplace_back(line, line);
    }
  }
  return runs;
}

TEST(HelpWindowLayout, TimeEntryPictureIsCutBySixColumnsAndFramesTheMinutesAndSeconds) {
  const ControlSpec& box = Find(help_window::kTimeEntryPicture);
  const Picture picture = MadeAt(box, kLogicalDpi);
  EXPECT_EQ(picture.width, 166);
  EXPECT_EQ(picture.height, 39);
  EXPECT_EQ(picture.width - box.rect.width, 6);

  const std::string_view labels[] = {help_window::kMinutesMark, help_window::kSecondsMark};
  const std::string_view texts[] = {"\xB7\xD6", "\xC3\xEB"};
  for (int dpi : kMadeScales) {
    const Picture scaled = MadeAt(box, dpi);
    EXPECT_EQ(scaled.width, ScaleLength(166, dpi)) << dpi;
    EXPECT_EQ(scaled.height, ScaleLength(39, dpi)) << dpi;
    const auto edges = RedLines(scaled, true);     // left and right of each outline
    const auto topBottom = RedLines(scaled, false);  // the outlines share their rows
    ASSERT_EQ(edges.size(), 4u) << dpi;
    ASSERT_EQ(topBottom.size(), 2u) << dpi;
    const Rect shownBox = ScaleRect(box.rect, dpi);
    for (std::size_t i = 0; i < 2; ++i) {
      const ControlSpec& label = Find(labels[i]);
      EXPECT_EQ(label.text, texts[i]);
      EXPECT_EQ(label.textColour, 255u);
      Rect glyph = ScaleRect(GlyphBox(label), dpi);
      glyph.left -= shownBox.left;
      glyph.top -= shownBox.top;
      EXPECT_GT(glyph.left, edges[2 * i].second) << labels[i] << " at " << dpi;
      EXPECT_LT(glyph.left + glyph.width, edges[2 * i + 1].first) << labels[i] << " at " << dpi;
      EXPECT_GT(glyph.top, topBottom[0].second) << labels[i] << " at " << dpi;
      EXPECT_LT(glyph.top + glyph.height, topBottom[1].first) << labels[i] << " at " << dpi;
    }
  }
}

}  // namespace
}  // namespace zorvane
