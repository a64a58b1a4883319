// The real backend's modal windows and message box under Wine: the other windows are
// disabled while one is up and get their own states back, timers and the program's keys
// keep working in the nested loop, and the box is the plain one the program asks for.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_window_system.h"

namespace zorvane::win32 {
namespace {

HWND H(WindowHandle window) { return reinterpret_cast<HWND>(window.value); }

const ControlSpec kControls[] = {
    {.name = "go", .kind = ControlKind::Button, .rect = {10, 10, 60, 24}, .text = "go",
     .tabStop = true},
};

struct BoxContents {
  HWND box = nullptr;
  HWND owner = nullptr;
  std::wstring title;
  std::vector<std::wstring> texts;  // the non-empty static texts
  int buttons = 0;
  int icons = 0;  // visible static controls showing an icon
};

BOOL CALLBACK CollectChild(HWND child, LPARAM contents) {
  auto& found = *reinterpret_cast<BoxContents*>(contents);
  if (!IsWindowVisible(child)) return TRUE;
  wchar_t className[64] = {};
  GetClassNameW(child, className, 64);
  wchar_t text[512] = {};
  GetWindowTextW(child, text, 512);
  if (lstrcmpiW(className, L"Button") == 0) ++found.buttons;
  if (lstrcmpiW(className, L"Static") == 0) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON && SendMessageW(child, STM_GETICON, 0, 0) != 0) {
      ++found.icons;
    } else if (text[0] != L'\0') {
      found.texts.emplace_back(text);
    }
  }
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM contents) {
  wchar_t className[16] = {};
  GetClassNameW(hwnd, className, 16);
  if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  reinterpret_cast<BoxContents*>(contents)->box = hwnd;
  return FALSE;
}

// The message box this thread shows now, if any.
BoxContents OpenMessageBox() {
  BoxContents contents;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&contents));
  if (contents.box == nullptr) return contents;
  wchar_t title[256] = {};
  GetWindowTextW(contents.box, title, 256);
  contents.title = title;
  contents.owner = GetWindow(contents.box, GW_OWNER);
  EnumChildWindows(contents.box, CollectChild, reinterpret_cast<LPARAM>(&contents));
  return contents;
}

class Win32ModalTest : public ::testing::Test {
 protected:
  WindowHandle Open(std::string_view name) {
    specs.push_back(std::make_unique<WindowSpec>(
        WindowSpec{.name = name, .size = {200, 100}, .controls = kControls}));
    return ui.CreateWindowFromLayout(*specs.back(), {});
  }

  void TearDown() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  std::vector<std::unique_ptr<WindowSpec>> specs;
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

TEST_F(Win32ModalTest, MessageBoxIsPlainTaskModalAndGivesTheModalWindowBack) {
  const WindowHandle main = Open("main");
  const WindowHandle modal = Open("modal");
  int ticks = 0;
  BoxContents seen;
  bool modalDisabledMeanwhile = false;
  bool mainDisabledMeanwhile = false;
  ui.SetTimer(main, 1, 20, [&] {
    ++ticks;
    if (ticks == 1) {
      // Blocks in the box's own loop; the next tick arrives from there.
      ui.ShowMessageBox("错误", "抱歉，此功能暂时无法使用。");
      EXPECT_TRUE(IsWindowEnabled(H(modal)));
      EXPECT_FALSE(IsWindowEnabled(H(main)));
      ui.KillTimer(main, 1);
      ui.DestroyWindow(modal);
    } else if (ticks == 2) {
      seen = OpenMessageBox();
      modalDisabledMeanwhile = !IsWindowEnabled(H(modal));
      mainDisabledMeanwhile = !IsWindowEnabled(H(main));
      if (seen.box != nullptr) PostMessageW(seen.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  });
  ui.ShowModal(modal);

  ASSERT_NE(seen.box, nullptr) << "no message box was up";
  EXPECT_EQ(seen.title, GbkToWide("错误"));
  EXPECT_EQ(seen.texts, std::vector<std::wstring>{GbkToWide("抱歉，此功能暂时无法使用。")});
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_EQ(seen.icons, 0);
  EXPECT_EQ(seen.owner, nullptr);
  EXPECT_TRUE(modalDisabledMeanwhile);
  EXPECT_TRUE(mainDisabledMeanwhile);
  EXPECT_FALSE(ui.WindowExists(modal));
  EXPECT_TRUE(IsWindowEnabled(H(main)));
}

}  // namespace
}  // namespace zorvane::win32
