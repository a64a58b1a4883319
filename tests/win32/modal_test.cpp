// The real backend's modal windows under Wine: the other windows are disabled while one is
// up and get their own states back, timers and the program's keys keep working in the
// nested loop, and a quit message still reaches the program's own loop. (The message box
// is checked end to end, in the program.)
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/win32/win32_window_system.h"

namespace zorvane::win32 {
namespace {

HWND H(WindowHandle window) { return reinterpret_cast<HWND>(window.value); }

const ControlSpec kControls[] = {
    {.name = "go", .kind = ControlKind::Button, .rect = {10, 10, 60, 24}, .text = "go",
     .tabStop = true},
};

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

TEST_F(Win32ModalTest, OthersAreDisabledWhileTimersRunAndEscapeClosesIt) {
  const WindowHandle main = Open("main");
  const WindowHandle idle = Open("idle");
  ui.EnableWindow(idle, false);
  const WindowHandle modal = Open("modal");
  int ticks = 0;
  ui.SetTimer(main, 1, 20, [&] {
    if (++ticks != 3) return;
    EXPECT_FALSE(IsWindowEnabled(H(main)));
    EXPECT_FALSE(IsWindowEnabled(H(idle)));
    EXPECT_TRUE(IsWindowEnabled(H(modal)));
    // The nested loop is the program's own: Esc in the modal window closes it.
    PostMessageW(H(modal), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  ui.ShowModal(modal);
  ui.KillTimer(main, 1);

  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_TRUE(IsWindowEnabled(H(main)));
  EXPECT_FALSE(IsWindowEnabled(H(idle)));
}

TEST_F(Win32ModalTest, QuitMessageEndsTheModalLoopAndReachesTheOuterLoop) {
  const WindowHandle main = Open("main");
  const WindowHandle modal = Open("modal");
  ui.SetTimer(main, 1, 20, [&] {
    ui.KillTimer(main, 1);
    PostQuitMessage(7);
  });
  ui.ShowModal(modal);

  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_TRUE(IsWindowEnabled(H(main)));
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace zorvane::win32
