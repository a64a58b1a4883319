// The in-memory window system must behave like the real one wherever the program relies on
// it: events, the input filter, what a user can reach, Tab, Esc and the end of the loop.
#include "platform/memory/memory_window_system.h"

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

  MemoryWindowSystem ui{{1920, 1080}};
  std::vector<std::string> events;
};

TEST_F(MemoryWindowSystemTest, WindowIsCentredWithIntegerDivision) {
  const WindowHandle window = Open();
  EXPECT_EQ(ui.WindowBounds(window), (Rect{859, 492, 201, 95}));
}

TEST_F(MemoryWindowSystemTest, CreatedFiresOnceAfterEveryControlExists) {
  WindowHandle seen;
  int created = 0;
  bool controlsExisted = false;
  const WindowHandle window = Open({{"", UiEvent::Created, [&] {
                                       ++created;
                                       for (WindowHandle w : ui.Windows()) seen = w;
                                       controlsExisted = static_cast<bool>(
                                           ui.FindControl(seen, "shown"));
                                     }}});
  EXPECT_EQ(created, 1);
  EXPECT_EQ(seen, window);
  EXPECT_TRUE(controlsExisted);
}

TEST_F(MemoryWindowSystemTest, WrittenTextFiresTextChangedOnceOnEditBoxesOnly) {
  int entryChanges = 0;
  const WindowHandle window = Open({{"entry", UiEvent::TextChanged, [&] { ++entryChanges; }},
                                    {"label", UiEvent::TextChanged, [&] { FAIL(); }}});
  ui.SetControlText(Control(window, "entry"), "12");
  EXPECT_EQ(entryChanges, 1);
  ui.SetControlText(Control(window, "label"), "new");
  EXPECT_EQ(ui.ControlText(Control(window, "label")), "new");
}

TEST_F(MemoryWindowSystemTest, IntegerTextDropsTypedLettersButNotPastedOnes) {
  const WindowHandle window = Open();
  const ControlHandle entry = Control(window, "entry");
  ui.Type(entry, "1a-b2 ");
  EXPECT_EQ(ui.ControlText(entry), "1-2");
  ui.Paste(entry, "x9");
  EXPECT_EQ(ui.ControlText(entry), "1-2x9");
  const ControlHandle plain = Control(window, "plain");
  ui.Type(plain, "ab");
  EXPECT_EQ(ui.ControlText(plain), "ab");
}

TEST_F(MemoryWindowSystemTest, ReadOnlyBoxTakesNoInputButProgramWrites) {
  const WindowHandle window = Open();
  const ControlHandle shown = Control(window, "shown");
  ui.Type(shown, "5");
  ui.Paste(shown, "5");
  EXPECT_EQ(ui.ControlText(shown), "x");
  ui.SetControlText(shown, "299");
  EXPECT_EQ(ui.ControlText(shown), "299");
}

TEST_F(MemoryWindowSystemTest, TypingFiresTextChangedPerAcceptedKeystroke) {
  std::vector<std::string> texts;
  WindowHandle window;
  window = Open({{"entry", UiEvent::TextChanged,
                  [&] { texts.push_back(ui.ControlText(ui.FindControl(window, "entry"))); }}});
  ui.Type(Control(window, "entry"), "6x5");
  EXPECT_EQ(texts, (std::vector<std::string>{"6", "65"}));
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

TEST_F(MemoryWindowSystemTest, HandlerMayDestroyItsOwnWindow) {
  WindowHandle window;
  int destroyed = 0;
  window = Open({{"go", UiEvent::Clicked, [&] { ui.DestroyWindow(window); }},
                 {"", UiEvent::AboutToBeDestroyed, [&] { ++destroyed; }}});
  ui.Click(Control(window, "go"));
  EXPECT_FALSE(ui.WindowExists(window));
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(ui.ControlText(Control(window, "go")), "");
}

TEST_F(MemoryWindowSystemTest, NoEventReachesAWindowOnItsWayOut) {
  // The clean-up of a closing window may pump messages; a click that arrives then must not
  // start anything in a window that is going away.
  WindowHandle window;
  int clicks = 0;
  window = Open({{"go", UiEvent::Clicked, [&] { ++clicks; }},
                 {"", UiEvent::AboutToBeDestroyed, [&] { ui.Click(ui.FindControl(window, "go")); }}});
  ui.Click(Control(window, "go"));
  ui.RequestClose(window);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MemoryWindowSystemTest, TabFollowsFocusNumbersAndSkipsHiddenControls) {
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

TEST_F(MemoryWindowSystemTest, UndecodablePictureLeavesATextButton) {
  const ControlSpec controls[] = {
      {.name = "good", .kind = ControlKind::Button, .text = "B", .picture = pictures::PlayButton},
      {.name = "bad", .kind = ControlKind::Button, .text = "B",
       .picture = pictures::PlayButton.first(100)},
      {.name = "none", .kind = ControlKind::Button, .text = "B"},
  };
  const WindowHandle window =
      ui.CreateWindowFromLayout({.name = "pictures", .size = {100, 100}, .controls = controls}, {});
  EXPECT_TRUE(ui.ShowsPicture(Control(window, "good")));
  EXPECT_FALSE(ui.ShowsPicture(Control(window, "bad")));
  EXPECT_FALSE(ui.ShowsPicture(Control(window, "none")));
  EXPECT_EQ(ui.ControlText(Control(window, "bad")), "B");
}

}  // namespace
}  // namespace zorvane::memory
