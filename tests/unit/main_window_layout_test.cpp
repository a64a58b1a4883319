// Properties of the main window's layout table that the rest of the program relies on.
#include "app/main_window_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gbk_check.h"
#include "layout_lookup.h"
#include "platform/jpeg/jpeg_codec.h"
#include "tests/support/driven_window_system.h"

namespace zorvane {
namespace {

const ControlSpec& Find(std::string_view name) { return FindIn(MainWindowSpec(), name); }

TEST(MainWindowLayout, NamesAreUniqueAndContainersComeBeforeTheirChildren) {
  std::set<std::string_view> seen;
  for (const ControlSpec& control : MainWindowSpec().controls) {
    EXPECT_TRUE(seen.insert(control.name).second) << control.name;
    if (!control.parent.empty()) {
      ASSERT_TRUE(seen.contains(control.parent)) << control.name;
      EXPECT_EQ(Find(control.parent).kind, ControlKind::ShapeBox);
    }
  }
}

TEST(MainWindowLayout, TextsAreCodePage936) {
  // "倒数时间:" as an ANSI program on a Chinese system holds it.
  EXPECT_EQ(Find(main_window::kTimeEntryLabel).text, "\xB5\xB9\xCA\xFD\xCA\xB1\xBC\xE4:");
  EXPECT_EQ(main_window::kMinutes, "\xB7\xD6\xD6\xD3");
  EXPECT_EQ(Find(main_window::kAboutVersion).text, "Zorvane   \xB0\xE6\xB1\xBE\xA3\xBA" "1.1.1.13");
}

TEST(MainWindowLayout, EveryTextAndNameIsInTheProgramsCodePage) {
  for (const ControlSpec& control : MainWindowSpec().controls) {
    EXPECT_TRUE(testing::IsGbk(control.name)) << control.name;
    EXPECT_TRUE(testing::IsGbk(control.text)) << control.name;
  }
  EXPECT_FALSE(testing::IsGbk("\x81\x30\x86\x31"));  // a GB18030-only sequence ("µ")
}

TEST(MainWindowLayout, EveryInputControlIsATabStopAndNoLabelIs) {
  for (const ControlSpec& control : MainWindowSpec().controls) {
    const bool input = control.kind == ControlKind::Button || control.kind == ControlKind::EditBox ||
                       control.kind == ControlKind::ColourPicker;
    EXPECT_EQ(control.tabStop, input) << control.name;
  }
}

TEST(MainWindowLayout, PictureButtonsShowTheirPicturesAndKeepTheirMarkers) {
  support::DrivenWindowSystem ui;
  const WindowHandle window = ui.CreateWindowFromLayout(MainWindowSpec(), {});
  const std::pair<std::string_view, std::string_view> markers[] = {
      {main_window::kStart, "B"}, {main_window::kPause, "P"}, {main_window::kFold, "设置"},
      {main_window::kExit, ""}};
  for (const auto& [name, caption] : markers) {
    const ControlHandle button = ui.FindControl(window, name);
    EXPECT_TRUE(ui.ShowsPicture(button)) << name;
    EXPECT_EQ(ui.ControlText(button), caption);
    EXPECT_EQ(ui.ControlRect(button).width, 32);
    EXPECT_EQ(ui.ControlRect(button).height, 32);
  }
}

TEST(MainWindowLayout, SettingsControlsCanNeverBeSeenOrClicked) {
  support::DrivenWindowSystem ui;
  const WindowHandle window = ui.CreateWindowFromLayout(MainWindowSpec(), {});
  for (int width : {250, 510}) {
    Rect bounds = ui.WindowBounds(window);
    bounds.width = width;
    ui.SetWindowBounds(window, bounds);
    for (const ControlSpec& control : MainWindowSpec().controls) {
      if (control.parent.empty() && control.kind != ControlKind::ShapeBox) continue;
      EXPECT_FALSE(ui.IsControlShown(ui.FindControl(window, control.name))) << control.name;
    }
  }
  // Both containers lie wholly below the window's bottom edge as well.
  for (std::string_view box : {main_window::kGeometrySettings, main_window::kColourSettings}) {
    EXPECT_GE(Find(box).rect.top, MainWindowSpec().size.height);
  }
}

TEST(MainWindowLayout, AboutAreaIsOnlyInsideTheExpandedWidth) {
  support::DrivenWindowSystem ui;
  const WindowHandle window = ui.CreateWindowFromLayout(MainWindowSpec(), {});
  const ControlHandle help = ui.FindControl(window, main_window::kHelpButton);
  Rect bounds = ui.WindowBounds(window);
  bounds.width = 250;
  ui.SetWindowBounds(window, bounds);
  EXPECT_FALSE(ui.IsControlShown(help));
  bounds.width = 510;
  ui.SetWindowBounds(window, bounds);
  EXPECT_TRUE(ui.IsControlShown(help));
  for (std::string_view name : {main_window::kMinutes, main_window::kStart, main_window::kExit}) {
    bounds.width = 250;
    ui.SetWindowBounds(window, bounds);
    EXPECT_TRUE(ui.IsControlShown(ui.FindControl(window, name))) << name;
  }
}

}  // namespace
}  // namespace zorvane
