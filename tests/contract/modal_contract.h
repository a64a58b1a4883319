// What every modal run does, the twin's as the real one: while a modal window or the
// message box is up the program's other windows are disabled and timers keep firing; once
// it has gone each window has its own enabled state back and the focus is where it was.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window_system.h"

namespace zorvane::contract {

inline const ControlSpec kModalControls[] = {
    {.name = "go", .kind = ControlKind::Button, .rect = {10, 10, 60, 24}, .text = "go"},
    {.name = "entry", .kind = ControlKind::EditBox, .rect = {80, 10, 60, 24}, .tabStop = true},
};
inline const WindowSpec kModalWindow{.name = "ModalWindow", .size = {200, 100},
                                     .controls = kModalControls};

// Besides what WindowSystemContract asks of a World: WhileModal(action), run once a modal run
// is under way (in turn, each in the innermost run); PressEscape(window); LetTimePass(ms),
// the run goes on that long; Settle(), due messages are handled; IsMessageBoxOpen();
// DismissMessageBox().
template <typename World>
class ModalContract : public ::testing::Test {
 protected:
  WindowHandle Open(std::function<void()> onGo = [] {}) {
    return ui_.CreateWindowFromLayout(kModalWindow, {{"go", UiEvent::Clicked, std::move(onGo)}});
  }
  ControlHandle Go(WindowHandle window) const { return ui_.FindControl(window, "go"); }

  World world_;
  WindowSystem& ui_ = world_.Ui();
};
TYPED_TEST_SUITE_P(ModalContract);

TYPED_TEST_P(ModalContract, OthersAreDisabledWhileItIsUpAndGetTheirOwnStatesAndTheFocusBack) {
  auto& ui = this->ui_;
  auto& world = this->world_;
  const WindowHandle main = this->Open();
  const WindowHandle idle = this->Open();
  ui.EnableWindow(idle, false);  // disabled before: must stay so
  const ControlHandle entry = ui.FindControl(main, "entry");
  ui.SetFocus(entry);
  world.Settle();
  int clicks = 0;
  const WindowHandle modal = this->Open([&] { ++clicks; });

  world.WhileModal([&] {
    EXPECT_FALSE(ui.IsWindowEnabled(main));
    EXPECT_FALSE(ui.IsWindowEnabled(idle));
    EXPECT_TRUE(ui.IsWindowEnabled(modal));
    world.Click(this->Go(modal));  // the modal window itself works
    ui.SetFocus(ui.FindControl(modal, "entry"));
    world.PressEscape(modal);
  });
  ui.ShowModal(modal);
  world.Settle();

  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(ui.IsWindowEnabled(main));
  EXPECT_FALSE(ui.IsWindowEnabled(idle));
  EXPECT_EQ(world.Focused(), entry);
}

TYPED_TEST_P(ModalContract, TimersOfTheOtherWindowsKeepFiring) {
  auto& ui = this->ui_;
  const WindowHandle main = this->Open();
  const WindowHandle modal = this->Open();
  int ticks = 0;
  ui.SetTimer(main, 1, 20, [&] {
    if (++ticks == 3) this->world_.PressEscape(modal);
  });
  this->world_.WhileModal([&] { this->world_.LetTimePass(200); });
  ui.ShowModal(modal);
  EXPECT_GE(ticks, 3);
  EXPECT_FALSE(ui.WindowExists(modal));
  const int duringTheRun = ticks;
  this->world_.LetTimePass(100);  // and on after it
  this->world_.Settle();
  EXPECT_GT(ticks, duringTheRun);
  ui.KillTimer(main, 1);
}

TYPED_TEST_P(ModalContract, ReturnsOnceTheWindowIsGoneAndLeavesTheRestToTheOuterLoop) {
  auto& ui = this->ui_;
  const WindowHandle modal = this->Open();
  std::vector<std::string> order;
  this->world_.WhileModal([&] { order.push_back("while open"); });
  this->world_.WhileModal([&] { ui.DestroyWindow(modal); });
  this->world_.WhileModal([&] { order.push_back("after"); });
  ui.ShowModal(modal);
  order.push_back("returned");
  this->world_.Settle();
  EXPECT_EQ(order, (std::vector<std::string>{"while open", "returned", "after"}));
}

TYPED_TEST_P(ModalContract, AMessageBoxDisablesTheModalWindowTooAndGivesItBack) {
  auto& ui = this->ui_;
  auto& world = this->world_;
  const WindowHandle main = this->Open();
  const WindowHandle modal = this->Open([&] { ui.ShowMessageBox("title", "text"); });
  world.WhileModal([&] { world.Click(this->Go(modal)); });
  world.WhileModal([&] {
    ASSERT_TRUE(world.IsMessageBoxOpen());
    EXPECT_FALSE(ui.IsWindowEnabled(modal));
    EXPECT_FALSE(ui.IsWindowEnabled(main));
    world.DismissMessageBox();
  });
  world.WhileModal([&] {
    EXPECT_FALSE(world.IsMessageBoxOpen());
    EXPECT_TRUE(ui.IsWindowEnabled(modal));
    EXPECT_FALSE(ui.IsWindowEnabled(main));  // the modal window still holds it
    world.PressEscape(modal);
  });
  ui.ShowModal(modal);
  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_TRUE(ui.IsWindowEnabled(main));
}

REGISTER_TYPED_TEST_SUITE_P(ModalContract,
                            OthersAreDisabledWhileItIsUpAndGetTheirOwnStatesAndTheFocusBack,
                            TimersOfTheOtherWindowsKeepFiring,
                            ReturnsOnceTheWindowIsGoneAndLeavesTheRestToTheOuterLoop,
                            AMessageBoxDisablesTheModalWindowTooAndGivesItBack);

}  // namespace zorvane::contract
