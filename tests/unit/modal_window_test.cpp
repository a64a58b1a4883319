// The twin's own side of modal runs: what the user does meanwhile is posted before the
// opening, reaches no disabled window, and a run that nothing is left to close fails.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/driven_window_system.h"
#include "tests/support/virtual_scheduler.h"

namespace zorvane::memory {
namespace {

const ControlSpec kControls[] = {
    {.name = "entry", .kind = ControlKind::EditBox, .rect = {0, 0, 40, 20}, .tabStop = true},
    {.name = "go", .kind = ControlKind::Button, .rect = {50, 0, 40, 20}, .text = "go",
     .tabStop = true},
};

class ModalWindowTest : public ::testing::Test {
 protected:
  WindowHandle Open(std::string_view name, std::function<void()> onGo = [] {}) {
    layouts.push_back(std::make_unique<WindowSpec>(
        WindowSpec{.name = name, .size = {200, 100}, .controls = kControls}));
    return ui.CreateWindowFromLayout(*layouts.back(), {{"go", UiEvent::Clicked, std::move(onGo)}});
  }
  void ClickGo(WindowHandle window) { ui.Click(ui.FindControl(window, "go")); }

  support::DrivenWindowSystem ui{{1920, 1080}};
  std::vector<std::unique_ptr<WindowSpec>> layouts;
};

// A user's clicks, keys and Esc reach no window that a modal run has disabled.
TEST_F(ModalWindowTest, InputToADisabledWindowGoesNowhere) {
  int mainClicks = 0;
  const WindowHandle main = Open("main", [&] { ++mainClicks; });
  const WindowHandle modal = Open("modal", [&] { ui.ShowMessageBox("title", "text"); });
  ui.Post([&] {
    ClickGo(main);
    ui.Type(ui.FindControl(main, "entry"), "12");
    ui.PressEscape(main);
    ClickGo(modal);
  });
  ui.Post([&] {
    ui.PressEscape(modal);  // Esc belongs to the box now
    EXPECT_TRUE(ui.WindowExists(modal));
    ui.DismissMessageBox();
  });
  ui.Post([&] { ui.PressEscape(modal); });
  ui.ShowModal(modal);

  EXPECT_TRUE(ui.WindowExists(main));
  EXPECT_EQ(ui.ControlText(ui.FindControl(main, "entry")), "");
  EXPECT_EQ(mainClicks, 0);
  ClickGo(main);
  EXPECT_EQ(mainClicks, 1);
  const std::vector<MessageBoxRecord> boxes = ui.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "title");
  EXPECT_EQ(boxes[0].text, "text");
}

TEST_F(ModalWindowTest, NothingLeftToCloseItIsReportedAndCleanedUp) {
  const WindowHandle main = Open("main");
  const WindowHandle modal = Open("modal");
  EXPECT_THROW(ui.ShowModal(modal), UnansweredModal);
  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_TRUE(ui.IsWindowEnabled(main));

  EXPECT_THROW(ui.ShowMessageBox("t", "x"), UnansweredModal);
  EXPECT_FALSE(ui.IsMessageBoxOpen());
  EXPECT_TRUE(ui.IsWindowEnabled(main));
}

}  // namespace
}  // namespace zorvane::memory
