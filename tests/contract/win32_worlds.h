// The real backends' side of the contract, under Wine: a fresh folder of the test's own in
// the temporary folder, set up with the file functions directly, never with the code under
// test, and removed afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/handle_casts.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_drawing.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_threads.h"
#include "platform/win32/win32_window_system.h"

namespace zorvane::contract {

class Win32FileWorld {
 public:
  Win32FileWorld() {
    wchar_t temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    folder_ = std::filesystem::path(std::wstring(temporary, length)) /
              (L"zorvane-contract-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++made_));
    EXPECT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  ~Win32FileWorld() {
    // Read-only files cannot be deleted until they are writable again.
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, error)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(folder_, error);
    EXPECT_FALSE(std::filesystem::exists(folder_)) << "the test folder is left behind";
  }
  Win32FileWorld(const Win32FileWorld&) = delete;
  Win32FileWorld& operator=(const Win32FileWorld&) = delete;

  FileSystem& Files() { return files_; }
  std::string PathOf(std::string_view name) const {
    const std::u8string path = (folder_ / std::filesystem::path(name)).u8string();
    return {path.begin(), path.end()};
  }
  void PutFile(std::string_view name, std::string_view content) {
    const HANDLE file = CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()),
                              &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == content.size());
  }
  void PutFolder(std::string_view name) {
    ASSERT_TRUE(CreateDirectoryW(Wide(name).c_str(), nullptr));
  }
  void MakeFileReadOnly(std::string_view name) {
    ASSERT_TRUE(SetFileAttributesW(Wide(name).c_str(), FILE_ATTRIBUTE_READONLY));
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      std::string name = entry.path().filename().string();
      std::ranges::transform(name, name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
      });
      names.push_back(name);
    }
    std::ranges::sort(names);
    return names;
  }

 private:
  std::wstring Wide(std::string_view name) const {
    return (folder_ / std::filesystem::path(name)).wstring();
  }

  static inline int made_ = 0;
  std::filesystem::path folder_;
  win32::Win32FileSystem files_;
};

// A user's hands as messages: a click is the button's own click, keys are characters and a
// Tab key-down where the focus is, a paste goes through the clipboard.
class Win32WindowWorld {
 public:
  Win32WindowWorld() = default;
  // A window that ends the program leaves a quit message behind; the next test's pumps
  // would stop at it.
  ~Win32WindowWorld() {
    if (timer_ != 0) KillTimer(nullptr, timer_);
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  Win32WindowWorld(const Win32WindowWorld&) = delete;
  Win32WindowWorld& operator=(const Win32WindowWorld&) = delete;

  static constexpr bool kTerminates = true;
  WindowSystem& Ui() { return ui_; }
  Threads& Workers() { return threads_; }
  void Click(ControlHandle control) { SendMessageW(win32::AsHwnd(control), BM_CLICK, 0, 0); }
  void Type(ControlHandle control, std::string_view text) {
    for (const wchar_t c : win32::GbkToWide(text)) {
      SendMessageW(win32::AsHwnd(control), WM_CHAR, c, 0);
    }
  }
  void Paste(ControlHandle control, std::string_view text) {
    const HWND box = win32::AsHwnd(control);
    ASSERT_TRUE(OpenClipboard(box));
    EmptyClipboard();
    const std::wstring wide = win32::GbkToWide(text);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    std::copy_n(wide.c_str(), wide.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    const LRESULT end = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(box, WM_PASTE, 0, 0);
  }
  void PressTab() {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    ui_.PumpPendingMessages();
  }
  void PressEscape(WindowHandle window) {
    PostMessageW(win32::AsHwnd(window), WM_KEYDOWN, VK_ESCAPE, 0);
  }
  ControlHandle Focused() const { return win32::AsControl(GetFocus()); }
  void RequestClose(WindowHandle window) { SendMessageW(win32::AsHwnd(window), WM_CLOSE, 0, 0); }
  // What Windows sends each top-level window; the screen itself stays as it is.
  void ChangeResolution(WindowHandle window, Size screen) {
    SendMessageW(win32::AsHwnd(window), WM_DISPLAYCHANGE, 32,
                 MAKELPARAM(screen.width, screen.height));
  }
  void ChangeWorkArea(WindowHandle window) {
    SendMessageW(win32::AsHwnd(window), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  }
  void ChangeWindowDpi(WindowHandle window, int dpi, Rect suggested) {
    RECT rect{suggested.left, suggested.top, suggested.left + suggested.width,
              suggested.top + suggested.height};
    SendMessageW(win32::AsHwnd(window), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&rect));
  }
  void EndSession(WindowHandle window) {
    const HWND hwnd = win32::AsHwnd(window);
    if (SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE) {
      SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    }
  }

  // The actions come one by one from a timer of the thread, which every message loop
  // dispatches, a modal run's as the message box's.
  void WhileModal(std::function<void()> action) {
    actions_.push_back(std::move(action));
    if (timer_ != 0) return;
    acting_ = this;
    timer_ = SetTimer(nullptr, 0, 10, &RunNextAction);
  }
  // The modal run's own loop waits for the time to pass.
  void LetTimePass(int) {}
  // Activation and focus come from the X server, a little after the calls that caused them.
  void Settle() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 200) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      ui_.PumpPendingMessages();
    }
  }
  bool IsMessageBoxOpen() const { return OpenMessageBox() != nullptr; }
  void DismissMessageBox() { PostMessageW(OpenMessageBox(), WM_COMMAND, IDOK, 0); }

  Drawing& Graphics() { return drawing_; }
  std::size_t KeptPictureCount() { return ui_.Pictures().Count(); }

 private:
  static void CALLBACK RunNextAction(HWND, UINT, UINT_PTR, DWORD) {
    Win32WindowWorld& world = *acting_;
    if (world.actions_.empty()) {
      KillTimer(nullptr, std::exchange(world.timer_, 0));
      return;
    }
    const std::function<void()> action = std::move(world.actions_.front());
    world.actions_.pop_front();
    action();  // the next one may come while this one runs a modal loop
  }
  // The system's message box, a dialog: the only one while the tests run.
  static HWND OpenMessageBox() { return FindWindowW(L"#32770", nullptr); }

  static inline Win32WindowWorld* acting_ = nullptr;
  std::deque<std::function<void()>> actions_;
  UINT_PTR timer_ = 0;
  win32::Win32WindowSystem ui_;
  win32::Win32Threads threads_;
  win32::Win32Drawing drawing_{ui_.Pictures()};
};

}  // namespace zorvane::contract
