// Modal windows and the message box on the in-memory window system: while one is open the
// program's other windows take no input, timers go on, and afterwards every window has
// its own enabled state back. What the user does meanwhile is posted before the opening.
#include <gtest/gtest.h>

#include <functional>
#include <map>
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
  // A window whose button counts its clicks under the window's layout name.
  WindowHandle Open(std::string_view name, std::function<void()> onGo = {}) {
    layouts.push_back(std::make_unique<WindowSpec>(
        WindowSpec{.name = name, .size = {200, 100}, .controls = kControls}));
    std::string key(name);
    if (!onGo) onGo = [this, key] { ++clicks[key]; };
    return ui.CreateWindowFromLayout(*layouts.back(), {{"go", UiEvent::Clicked, std::move(onGo)}});
  }
  void ClickGo(WindowHandle window) { ui.Click(ui.FindControl(window, "go")); }

  support::VirtualScheduler scheduler;
  support::DrivenWindowSystem ui{{1920, 1080}, &scheduler};
  std::vector<std::unique_ptr<WindowSpec>> layouts;
  std::map<std::string, int> clicks;
};

TEST_F(ModalWindowTest, OtherWindowsTakeNoInputWhileOpenAndGetTheirOwnStatesBack) {
  const WindowHandle main = Open("main");
  const WindowHandle display = Open("display");
  const WindowHandle idle = Open("idle");
  ui.EnableWindow(idle, false);  // disabled before: must stay so
  ui.SetFocus(ui.FindControl(main, "entry"));
  const WindowHandle modal = Open("modal");

  ui.Post([&] {
    EXPECT_FALSE(ui.IsWindowEnabled(main));
    EXPECT_FALSE(ui.IsWindowEnabled(display));
    EXPECT_FALSE(ui.IsWindowEnabled(idle));
    EXPECT_TRUE(ui.IsWindowEnabled(modal));
    ClickGo(main);
    ui.Type(ui.FindControl(main, "entry"), "12");
    ui.PressEscape(main);
    ClickGo(modal);  // the modal window itself works
    ui.PressEscape(modal);
  });
  ui.ShowModal(modal);

  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_TRUE(ui.WindowExists(main));
  EXPECT_EQ(ui.ControlText(ui.FindControl(main, "entry")), "");
  EXPECT_EQ(clicks, (std::map<std::string, int>{{"modal", 1}}));
  EXPECT_TRUE(ui.IsWindowEnabled(main));
  EXPECT_TRUE(ui.IsWindowEnabled(display));
  EXPECT_FALSE(ui.IsWindowEnabled(idle));
  EXPECT_EQ(ui.FocusedControl(), ui.FindControl(main, "entry"));
  ClickGo(main);
  EXPECT_EQ(clicks["main"], 1);
}

TEST_F(ModalWindowTest, TimersOfTheOtherWindowsKeepFiring) {
  const WindowHandle main = Open("main");
  int ticks = 0;
  ui.SetTimer(main, 1, 1000, [&] { ++ticks; });
  const WindowHandle modal = Open("modal");
  ui.Post([&] {
    scheduler.AdvanceBy(5000);
    EXPECT_EQ(ticks, 5);
    ui.RequestClose(modal);
  });
  ui.ShowModal(modal);
  scheduler.AdvanceBy(1000);
  EXPECT_EQ(ticks, 6);
}

TEST_F(ModalWindowTest, ReturnsWhenTheWindowIsGoneAndLeavesLaterTasksToTheOuterLoop) {
  const WindowHandle modal = Open("modal");
  std::vector<std::string> order;
  ui.Post([&] { order.push_back("while open"); });
  ui.Post([&] { ui.DestroyWindow(modal); });
  ui.Post([&] { order.push_back("after"); });
  ui.ShowModal(modal);
  order.push_back("returned");
  ui.RunMessageLoop();
  EXPECT_EQ(order, (std::vector<std::string>{"while open", "returned", "after"}));
}

TEST_F(ModalWindowTest, MessageBoxDisablesTheModalWindowTooAndGivesItBack) {
  const WindowHandle main = Open("main");
  const WindowHandle modal = Open("modal", [&] { ui.ShowMessageBox("title", "text"); });
  ui.Post([&] { ClickGo(modal); });
  ui.Post([&] {
    ASSERT_TRUE(ui.IsMessageBoxOpen());
    EXPECT_FALSE(ui.IsWindowEnabled(modal));
    EXPECT_FALSE(ui.IsWindowEnabled(main));
    ui.PressEscape(modal);  // Esc belongs to the box now
    ui.DismissMessageBox();
  });
  ui.Post([&] {
    EXPECT_FALSE(ui.IsMessageBoxOpen());
    EXPECT_TRUE(ui.IsWindowEnabled(modal));
    EXPECT_FALSE(ui.IsWindowEnabled(main));  // the modal window still holds it
    ui.PressEscape(modal);
  });
  ui.ShowModal(modal);

  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_TRUE(ui.IsWindowEnabled(main));
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
