// What every WindowSystem does, the twin as the real one, written once and run on both:
// creation and its event, the events of controls, typed and pasted text, Tab, the focus of
// a hidden window, pictures, and what another thread may not do. A backend takes part
// through a world: its window system, and a user's hands on it (a click, keys, a paste,
// a close request).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/window_system.h"
#include "resources/pictures.h"

namespace zorvane::contract {

inline const ControlSpec kContractControls[] = {
    {.name = "label", .kind = ControlKind::Label, .rect = {180, 70, 50, 20}, .text = "L"},
    {.name = "entry", .kind = ControlKind::EditBox, .rect = {10, 10, 60, 24}, .tabStop = true,
     .focusOrder = 1, .editMode = EditMode::IntegerText},
    {.name = "text", .kind = ControlKind::EditBox, .rect = {80, 10, 90, 24}, .tabStop = true,
     .focusOrder = 0},
    {.name = "shown", .kind = ControlKind::EditBox, .rect = {180, 10, 40, 24}, .text = "x",
     .tabStop = true, .focusOrder = 4, .editMode = EditMode::ReadOnly},
    {.name = "go", .kind = ControlKind::Button, .rect = {10, 40, 32, 32}, .text = "B",
     .tabStop = true, .focusOrder = 2, .picture = pictures::PlayButton},
    {.name = "broken", .kind = ControlKind::Button, .rect = {50, 40, 60, 32}, .text = "B",
     .tabStop = true, .focusOrder = 3, .picture = pictures::PlayButton.first(60)},
    {.name = "plain", .kind = ControlKind::Button, .rect = {120, 40, 40, 24}, .text = "P"},
    {.name = "box", .kind = ControlKind::ShapeBox, .rect = {0, 100, 100, 40}, .visible = false},
    {.name = "hidden", .kind = ControlKind::Button, .rect = {5, 5, 20, 20}, .text = "h",
     .tabStop = true, .focusOrder = 2, .parent = "box"},
    {.name = "panel", .kind = ControlKind::ShapeBox, .rect = {120, 100, 100, 40}},
    {.name = "inside", .kind = ControlKind::Button, .rect = {5, 5, 20, 20}, .text = "i",
     .parent = "panel"},
};

// A World has: Ui(); Click(control), Type(control, text) and Paste(control, text) as a user
// does them; PressTab() on the control that has the focus; Focused(); RequestClose(window),
// as the close box or Esc asks; and what the system tells the window: ChangeResolution,
// ChangeWorkArea, ChangeWindowDpi (with the rectangle it suggests) and EndSession.
template <typename World>
class WindowSystemContract : public ::testing::Test {
 protected:
  WindowHandle Open(std::vector<EventBinding> bindings = {}, bool visible = true) {
    layout_ = {.name = "ContractWindow", .size = {240, 160}, .visible = visible,
               .controls = kContractControls};
    window_ = ui_.CreateWindowFromLayout(layout_, std::move(bindings), &window_);
    return window_;
  }
  ControlHandle Control(std::string_view name) const { return ui_.FindControl(window_, name); }
  std::string FocusedName() const {
    for (const ControlSpec& control : kContractControls) {
      if (world_.Focused() == Control(control.name)) return std::string(control.name);
    }
    return "";
  }

  World world_;
  WindowSystem& ui_ = world_.Ui();
  WindowSpec layout_;
  WindowHandle window_;
};
TYPED_TEST_SUITE_P(WindowSystemContract);

// Created comes once, when every control exists and before the window shows: a handler can
// still place and fill the window unseen.
TYPED_TEST_P(WindowSystemContract, CreatedComesOnceWithEveryControlBeforeTheWindowShows) {
  auto& ui = this->ui_;
  int created = 0;
  bool controlsExisted = false;
  bool visibleThen = true;
  const WindowHandle window = this->Open({{"", UiEvent::Created, [&] {
                                             ++created;
                                             controlsExisted = static_cast<bool>(this->Control("inside"));
                                             visibleThen = ui.IsWindowVisible(this->window_);
                                           }}});
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(controlsExisted);
  EXPECT_FALSE(visibleThen);
  EXPECT_TRUE(ui.IsWindowVisible(window));
}

TYPED_TEST_P(WindowSystemContract, EventsReachTheirBindings) {
  auto& ui = this->ui_;
  std::vector<std::string> events;
  const WindowHandle window =
      this->Open({{"entry", UiEvent::TextChanged, [&] { events.push_back("changed"); }},
                  {"label", UiEvent::TextChanged, [&] { events.push_back("label"); }},
                  {"go", UiEvent::Clicked, [&] { events.push_back("clicked"); }},
                  {"inside", UiEvent::Clicked, [&] { events.push_back("inside"); }},
                  {"", UiEvent::CloseRequested, [&] { events.push_back("close"); }},
                  {"", UiEvent::AboutToBeDestroyed, [&] {
                     // Controls can still be read while the window is being destroyed.
                     events.push_back("destroy:" + ui.ControlText(this->Control("shown")));
                   }}});
  ui.SetControlText(this->Control("entry"), "59");
  ui.SetControlText(this->Control("label"), "new");
  EXPECT_EQ(ui.ControlText(this->Control("label")), "new");
  this->world_.Click(this->Control("go"));
  // A control in a container reports through it to the window.
  this->world_.Click(this->Control("inside"));
  this->world_.RequestClose(window);
  EXPECT_EQ(events, (std::vector<std::string>{"changed", "clicked", "inside", "close", "destroy:x"}));
  EXPECT_FALSE(ui.WindowExists(window));
}

TYPED_TEST_P(WindowSystemContract, TypedTextIsFilteredAndPastedTextIsNot) {
  auto& ui = this->ui_;
  std::vector<std::string> texts;
  this->Open({{"entry", UiEvent::TextChanged,
               [&] { texts.push_back(ui.ControlText(this->Control("entry"))); }}});
  const ControlHandle entry = this->Control("entry");
  this->world_.Type(entry, "1a-b2 ");
  EXPECT_EQ(ui.ControlText(entry), "1-2");
  // One change for each keystroke the box takes.
  EXPECT_EQ(texts, (std::vector<std::string>{"1", "1-", "1-2"}));
  this->world_.Paste(entry, "x9");
  EXPECT_EQ(ui.ControlText(entry), "1-2x9");
  this->world_.Type(this->Control("text"), "ab");
  EXPECT_EQ(ui.ControlText(this->Control("text")), "ab");

  // A read-only box takes no input, but the program writes it.
  const ControlHandle shown = this->Control("shown");
  this->world_.Type(shown, "5");
  this->world_.Paste(shown, "5");
  EXPECT_EQ(ui.ControlText(shown), "x");
  ui.SetControlText(shown, "299");
  EXPECT_EQ(ui.ControlText(shown), "299");
}

// By focus numbers, ties in table order; a control in a hidden container is skipped.
TYPED_TEST_P(WindowSystemContract, TabFollowsFocusNumbersAndSkipsHiddenControls) {
  this->Open();
  this->ui_.SetFocus(this->Control("go"));
  std::vector<std::string> order;
  for (int i = 0; i < 6; ++i) {
    this->world_.PressTab();
    order.push_back(this->FocusedName());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"broken", "shown", "text", "entry", "go", "broken"}));
}

TYPED_TEST_P(WindowSystemContract, FocusAskedForWhileHiddenArrivesWhenShown) {
  const WindowHandle window = this->Open({}, /*visible=*/false);
  this->ui_.SetFocus(this->Control("entry"));
  EXPECT_NE(this->FocusedName(), "entry");
  this->ui_.ShowWindow(window, true);
  EXPECT_EQ(this->FocusedName(), "entry");
}

TYPED_TEST_P(WindowSystemContract, NoEventReachesAWindowOnItsWayOut) {
  // The clean-up of a closing window may pump messages; a click that arrives then must not
  // start anything in a window that is going away.
  int clicks = 0;
  this->Open({{"go", UiEvent::Clicked, [&] { ++clicks; }},
              {"", UiEvent::AboutToBeDestroyed,
               [&] { this->world_.Click(this->Control("go")); }}});
  this->world_.Click(this->Control("go"));
  this->ui_.DestroyWindow(this->window_);
  EXPECT_EQ(clicks, 1);
}

TYPED_TEST_P(WindowSystemContract, AHandlerMayDestroyItsOwnWindow) {
  int destroyed = 0;
  const WindowHandle window =
      this->Open({{"go", UiEvent::Clicked, [&] { this->ui_.DestroyWindow(this->window_); }},
                  {"", UiEvent::AboutToBeDestroyed, [&] { ++destroyed; }}});
  const ControlHandle go = this->Control("go");
  this->world_.Click(go);
  EXPECT_FALSE(this->ui_.WindowExists(window));
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(this->ui_.ControlText(go), "");
}

// Only the thread that made a window may destroy it.
TYPED_TEST_P(WindowSystemContract, AnotherThreadCannotDestroyAWindow) {
  int destroyed = 0;
  const WindowHandle window = this->Open({{"", UiEvent::AboutToBeDestroyed, [&] { ++destroyed; }}});
  std::thread([&] { this->ui_.DestroyWindow(window); }).join();
  EXPECT_TRUE(this->ui_.WindowExists(window));
  EXPECT_EQ(destroyed, 0);
}

TYPED_TEST_P(WindowSystemContract, AnUndecodablePictureLeavesATextButton) {
  this->Open();
  EXPECT_TRUE(this->ui_.ShowsPicture(this->Control("go")));
  EXPECT_FALSE(this->ui_.ShowsPicture(this->Control("broken")));
  EXPECT_FALSE(this->ui_.ShowsPicture(this->Control("plain")));
  EXPECT_EQ(this->ui_.ControlText(this->Control("broken")), "B");
}

// What the system says of the screen and the session reaches a window as neutral events: a
// new resolution and a new work area as ScreenChanged, a new DPI as DpiChanged once the window
// is laid out at it in the rectangle suggested, the session's end as SessionEnding.
TYPED_TEST_P(WindowSystemContract, ScreenDpiAndSessionChangesReachTheirBindings) {
  auto& ui = this->ui_;
  std::vector<std::string> events;
  const WindowHandle window = this->Open(
      {{"", UiEvent::ScreenChanged, [&] { events.push_back("screen"); }},
       {"", UiEvent::DpiChanged, [&] {
          events.push_back("dpi " + std::to_string(ui.WindowDpi(this->window_)));
          EXPECT_EQ(ui.WindowBounds(this->window_), (Rect{0, 0, 360, 240}));
        }},
       {"", UiEvent::SessionEnding, [&] { events.push_back("end"); }}});
  this->world_.ChangeResolution(window, {1280, 720});
  this->world_.ChangeWorkArea(window);
  this->world_.ChangeWindowDpi(window, 144, {0, 0, 360, 240});
  this->world_.EndSession(window);
  EXPECT_EQ(events, (std::vector<std::string>{"screen", "screen", "dpi 144", "end"}));
}

REGISTER_TYPED_TEST_SUITE_P(WindowSystemContract,
                            CreatedComesOnceWithEveryControlBeforeTheWindowShows,
                            EventsReachTheirBindings, TypedTextIsFilteredAndPastedTextIsNot,
                            TabFollowsFocusNumbersAndSkipsHiddenControls,
                            FocusAskedForWhileHiddenArrivesWhenShown,
                            NoEventReachesAWindowOnItsWayOut, AHandlerMayDestroyItsOwnWindow,
                            AnotherThreadCannotDestroyAWindow,
                            AnUndecodablePictureLeavesATextButton,
                            ScreenDpiAndSessionChangesReachTheirBindings);

}  // namespace zorvane::contract
