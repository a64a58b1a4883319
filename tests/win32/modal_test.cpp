// The real backend's own side of modal windows under Wine: a quit message still reaches the
// program's own loop, and however the modal window goes, the activation comes back to one
// of the program's windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/handle_casts.h"
#include "platform/win32/win32_window_system.h"

namespace zorvane::win32 {
namespace {

const ControlSpec kControls[] = {
    {.name = "go", .kind = ControlKind::Button, .rect = {10, 10, 60, 24}, .text = "go",
     .tabStop = true},
    {.name = "box", .kind = ControlKind::EditBox, .rect = {80, 10, 60, 24}, .tabStop = true},
};

// Lets the messages move for a while: activation and focus also come from the X server,
// a little later than the calls that caused them.
void PumpFor(WindowSystem& ui, DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    ui.PumpPendingMessages();
  }
}

class Win32ModalTest : public ::testing::Test {
 protected:
  WindowHandle Open(std::string_view name) {
    layouts.push_back(std::make_unique<WindowSpec>(
        WindowSpec{.name = name, .size = {200, 100}, .controls = kControls}));
    return ui.CreateWindowFromLayout(*layouts.back(), {});
  }

  void TearDown() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  std::vector<std::unique_ptr<WindowSpec>> layouts;
  Win32WindowSystem ui;
};

TEST_F(Win32ModalTest, QuitMessageEndsTheModalLoopAndReachesTheOuterLoop) {
  const WindowHandle main = Open("main");
  const WindowHandle modal = Open("modal");
  ui.SetTimer(main, 1, 20, [&] {
    ui.KillTimer(main, 1);
    PostQuitMessage(7);
  });
  ui.ShowModal(modal);

  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_TRUE(IsWindowEnabled(AsHwnd(main)));
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

// However the modal window goes, the others are usable again before it does (so the system
// hands the activation to one of ours, as at a dialog's end), and the keyboard focus is back
// in the box that had it when the modal window opened.
TEST_F(Win32ModalTest, TheFocusGoesBackToTheBoxThatHadItHoweverTheModalWindowCloses) {
  struct Way {
    const char* name;
    std::function<void(WindowHandle)> close;
  };
  const Way ways[] = {
      {"Esc", [](WindowHandle modal) {
         PostMessageW(AsHwnd(modal), WM_KEYDOWN, VK_ESCAPE, 0);
       }},
      {"its close box", [](WindowHandle modal) {
         PostMessageW(AsHwnd(modal), WM_SYSCOMMAND, SC_CLOSE, 0);
       }},
      {"a button that destroys it", [this](WindowHandle modal) { ui.DestroyWindow(modal); }},
  };
  for (const Way& way : ways) {
    const WindowHandle main = Open("main");
    const HWND box = AsHwnd(ui.FindControl(main, "box"));
    ui.SetFocus(ui.FindControl(main, "box"));
    PumpFor(ui, 100);
    ASSERT_EQ(GetFocus(), box) << way.name;

    bool mainEnabledAsItWent = false;
    layouts.push_back(std::make_unique<WindowSpec>(WindowSpec{
        .name = "modal", .frame = FrameStyle::CaptionClose, .size = {200, 100},
        .escapeCloses = true, .controls = kControls}));
    const WindowHandle modal = ui.CreateWindowFromLayout(
        *layouts.back(),
        {{"", UiEvent::AboutToBeDestroyed,
          [&] { mainEnabledAsItWent = IsWindowEnabled(AsHwnd(main)) != FALSE; }}});
    ui.SetTimer(main, 1, 20, [&] {
      ui.KillTimer(main, 1);
      way.close(modal);
    });
    ui.ShowModal(modal);
    PumpFor(ui, 200);

    EXPECT_FALSE(ui.WindowExists(modal)) << way.name;
    EXPECT_TRUE(mainEnabledAsItWent) << way.name;
    EXPECT_EQ(GetActiveWindow(), AsHwnd(main)) << way.name;
    EXPECT_EQ(GetFocus(), box) << way.name;
    ui.DestroyWindow(main);
  }
}

}  // namespace
}  // namespace zorvane::win32
