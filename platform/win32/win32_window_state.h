// What the Win32 window system keeps besides each window's record, and the work its parts
// share. Internal to platform/win32: the windows' life and geometry, their window
// procedure, the controls' texts and focus, the message loop and its keys, modal runs and
// timers each live in a file of their own and meet here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/kept_pictures.h"
#include "platform/win32/win32_window_system.h"
#include "platform/win32/window_records.h"

namespace zorvane::win32 {

// Where the keyboard was before a modal window or a message box took it. Without an owner
// the system hands the activation to whichever of our windows it picks when the modal one
// goes, so the focus is given back by hand to the control that had it, as a dialog's end
// gives it back to its owner.
struct KeyboardPlace {
  HWND focus = GetFocus();
  HWND active = GetActiveWindow();

  void Restore() const;
};

struct Win32WindowSystem::State {
  std::map<HWND, std::unique_ptr<WindowRecord>> windows;  // touched on the UI thread only
  KeptPictures pictures;
  // Where the keyboard was just before each window was last shown, for the modal run that
  // shows a window already on the screen.
  std::map<HWND, KeyboardPlace> keyboardBeforeShown;
  // The control of each window that had the focus last, to have it again when the window
  // is activated or given the focus itself, as a dialog's control does.
  std::map<HWND, HWND> lastFocus;
  // The windows each running modal window disabled, with the states they had before.
  std::map<HWND, std::vector<std::pair<HWND, bool>>> disabledByModal;
  std::uint64_t nextTimerGeneration = 1;
  // Its own window classes and the controls' are registered; without them it makes no window.
  bool classesRegistered = false;

  WindowRecord* RecordOf(HWND hwnd) const {
    auto found = windows.find(hwnd);
    return found == windows.end() ? nullptr : found->second.get();
  }

  // win32_windows.cpp: a window goes, giving the others back what its modal run took.
  void Destroy(HWND hwnd);

  // win32_window_procedure.cpp: messages turned into the bindings' events.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static void Fire(const WindowRecord& window, std::string_view control, UiEvent event);
  static void OnCommand(const WindowRecord& window, int id, int code);
  // The window was moved to a screen of `dpi`: laid out again at it, in `suggested`.
  static void OnDpiChanged(WindowRecord& window, int dpi, const RECT& suggested);

  // win32_window_controls.cpp: colours and focus of the controls.
  static LRESULT OnControlColour(const WindowRecord& window, HDC dc, HWND controlHwnd);
  void RememberFocus(HWND root);
  // Gives the focus to the control of `root` that had it last (`previous`, when the focus
  // comes straight from one of them). False when there is none that can take it.
  bool GiveFocusBack(HWND root, HWND previous = nullptr);

  // win32_message_loop.cpp: one message from the queue, with the keys that act on a whole
  // window.
  void Dispatch(const MSG& message) const;
  bool PreTranslate(const MSG& message) const;
  void MoveFocus(HWND root, bool backwards) const;

  // win32_modal.cpp: what a modal run takes from the other windows and gives back.
  void GiveBackEnabledStates(HWND modal);
  KeyboardPlace KeyboardBeforeModal(HWND modal) const;

  // win32_timers.cpp
  void OnTimer(WindowRecord& window, int id) const;

  // win32_hotkeys.cpp
  static void OnHotkey(const WindowRecord& window, int id);
  static void UnregisterHotkeys(WindowRecord& window);
};

}  // namespace zorvane::win32
