// What the twin's window system has beyond the contract it shares with the real one
// (tests/contract): its placement, what a user can reach with a click, Tab beyond the
// window's edge and backwards, and the end of the loop.
#include "tests/support/driven_window_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/pictures.h"

namespace zorvane::memory {
namespace {

const ControlSpec kControls[] = {
    {.name = "label", .kind = ControlKind::Label, .rect = {0, 0, 50, 20}, .text = "L"},
    {.name = "entry", .kind = ControlKind::EditBox, .rect = {60, 0, 40, 20}, .tabStop = true,
     .focusOrder = 1, .editMode = EditMode::IntegerText},
    {.name = "go", .kind = ControlKind::Button, .rect = {110, 0, 32, 32}, .text = "B",
     .tabStop = true, .focusOrder = 0, .picture = {}},
    {.name = "far", .kind = ControlKind::Button, .rect = {300, 0, 40, 20}, .text = "far",
     .tabStop = true, .focusOrder = 0},
    {.name = "box", .kind = ControlKind::ShapeBox, .rect = {0, 40, 100, 40}, .visible = false},
    {.name = "hidden", .kind = ControlKind::Button, .rect = {0, 0, 20, 20}, .text = "h",
     .tabStop = true, .focusOrder = 2, .parent = "box"},
    {.name = "plain", .kind = ControlKind::EditBox, .rect = {0, 0, 40, 20}, .tabStop = true,
     .focusOrder = 2},
    {.name = "shown", .kind = ControlKind::EditBox, .rect = {150, 0, 40, 20}, .text = "x",
     .tabStop = true, .focusOrder = 3, .editMode = EditMode::ReadOnly},
};

const WindowSpec kWindow{.name = "test", .size = {201, 95}, .escapeCloses = true,
                         .endsProgram = true, .controls = kControls};

class MemoryWindowSystemTest : public ::testing::Test {
 protected:
  WindowHandle Open(std::vector<EventBinding> bindings = {}) {
    return ui.CreateWindowFromLayout(kWindow, std::move(bindings));
  }
  ControlHandle Control(WindowHandle window, std::string_view name) {
    return ui.FindControl(window, name);
  }

  support::DrivenWindowSystem ui{{1920, 1080}};
  std::vector<std::string> events;
};

TEST_F(MemoryWindowSystemTest, WindowIsCentredWithIntegerDivision) {
  const WindowHandle window = Open();
  EXPECT_EQ(ui.WindowBounds(window), (Rect{859, 492, 201, 95}));
}

TEST_F(MemoryWindowSystemTest, ClicksReachOnlyWhatAUserCanSee) {
  std::vector<std::string> clicked;
  auto record = [&](std::string name) {
    return EventBinding{"", UiEvent::Clicked, [&clicked, name] { clicked.push_back(name); }};
  };
  std::vector<EventBinding> bindings;
  for (const char* name : {"go", "far", "hidden"}) {
    EventBinding binding = record(name);
    binding.control = name;
    bindings.push_back(std::move(binding));
  }
  const WindowHandle window = Open(std::move(bindings));
  ui.Click(Control(window, "go"));
  ui.Click(Control(window, "far"));     // beyond the window's right edge
  ui.Click(Control(window, "hidden"));  // in an invisible container
  EXPECT_EQ(clicked, (std::vector<std::string>{"go"}));

  Rect wide = ui.WindowBounds(window);
  wide.width = 400;
  ui.SetWindowBounds(window, wide);
  ui.Click(Control(window, "far"));
  ui.EnableWindow(window, false);
  ui.Click(Control(window, "go"));  // a disabled window takes no clicks
  EXPECT_EQ(clicked, (std::vector<std::string>{"go", "far"}));
}

TEST_F(MemoryWindowSystemTest, CloseRequestThenDestructionEndTheLoop) {
  WindowHandle window;
  window = Open({{"", UiEvent::CloseRequested, [&] { events.push_back("close"); }},
                 {"", UiEvent::AboutToBeDestroyed, [&] {
                    // Controls can still be read while the window is being destroyed.
                    events.push_back("destroy:" + ui.ControlText(ui.FindControl(window, "shown")));
                  }}});
  ui.Post([&] { ui.PressEscape(window); });
  ui.Post([&] { events.push_back("after"); });  // never runs: the loop has ended
  ui.RunMessageLoop();
  EXPECT_EQ(events, (std::vector<std::string>{"close", "destroy:x"}));
  EXPECT_FALSE(ui.WindowExists(window));
}

TEST_F(MemoryWindowSystemTest, TabSkipsWhatLiesOutsideTheWindowAndGoesBackWithShift) {
  const WindowHandle window = Open();
  ui.SetFocus(Control(window, "go"));
  std::vector<std::string> order;
  for (int i = 0; i < 6; ++i) {
    ui.PressTab();
    order.push_back(std::string(ui.ControlSpecOf(ui.FocusedControl()).name));
  }
  // Ties keep table order; "far" is a visible control but lies outside the window, where
  // nobody would see the focus.
  EXPECT_EQ(order,
            (std::vector<std::string>{"entry", "plain", "shown", "go", "entry", "plain"}));
  ui.PressTab(true);
  EXPECT_EQ(ui.ControlSpecOf(ui.FocusedControl()).name, "entry");
}

}  // namespace
}  // namespace zorvane::memory
