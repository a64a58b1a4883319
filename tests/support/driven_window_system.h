// The twin's window system as a test drives it: what a user does (click, type, paste, Esc,
// Tab, a drag, a hotkey), what other programs do (a slide show's window), and what the system
// tells every window (a new resolution, monitors, a window's DPI, the end of the session).
// Each reaches the program through the same events as on Windows. A test posts what the user
// does while a modal window is open before the click that opens it.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/memory/memory_window_system.h"

namespace zorvane::support {

class DrivenWindowSystem final : public memory::MemoryWindowSystem {
 public:
  using MemoryWindowSystem::MemoryWindowSystem;

  // --- What a user does -------------------------------------------------------------
  // A click reaches a control only when it is shown and its window is enabled.
  void Click(ControlHandle control);
  // Each character as a keystroke into the control (the integer-text filter applies).
  void Type(ControlHandle control, std::string_view text);
  // Inserts at the end of the text, unfiltered, like a paste.
  void Paste(ControlHandle control, std::string_view text);
  // Esc in the window that has the focus (or in `window` if given).
  void PressEscape(WindowHandle window);
  void PressTab(bool backwards = false);
  // A hotkey pressed while any program has the focus: runs the handler of the window that
  // registered it, even one a modal window has disabled. False when none of ours has it.
  bool PressHotkey(std::uint32_t modifiers, std::uint32_t key);
  // A close request such as Alt+F4.
  void RequestClose(WindowHandle window);
  // Drags the window by its background until its top-left corner is at `to`.
  void Drag(WindowHandle window, Point to);
  // OK on the message box that is up (the latest one still open).
  void DismissMessageBox();

  // --- What other programs do ---------------------------------------------------------
  // Another program shows a window and activates it (a slide show going full screen, in
  // the topmost band when `topmost`). It has no events and is no window of the program.
  WindowHandle OpenOtherProgramWindow(bool topmost);
  // The user clicks the window: it becomes the active window, at the top of its band.
  void Activate(WindowHandle window);

  // --- The environment ----------------------------------------------------------------
  // Changes the screen's size quietly, as a change the system tells no program about.
  void SetScreenSize(Size screen);
  // 96 until set; windows created afterwards are laid out at the new DPI.
  void SetScreenDpi(int dpi);
  // What the system tells every top-level window with ScreenChanged, on the calling (UI)
  // thread, once the change is made: a new resolution of the primary screen (a single
  // monitor follows it), a new set of monitors (the primary one first, at 0,0; one
  // unplugged, say), a work area changed by the taskbar (which the program ignores).
  void ChangeResolution(Size screen);
  // With `dpis` (one per monitor) each monitor has a scale of its own: a window of ours
  // moved onto a monitor of another DPI is laid out again there as by ChangeWindowDpi, at
  // the size scaled about its top-left corner.
  void ChangeMonitors(std::vector<Rect> monitors, std::vector<int> dpis = {});
  void ChangeWorkArea();
  // The window's monitor changed its scale: as Windows does, it is laid out again at `dpi`
  // (its controls, fonts and pictures), takes the rectangle suggested, and then gets
  // DpiChanged.
  void ChangeWindowDpi(WindowHandle window, int dpi, Rect suggested);
  // The user's session ends (log-off, shut-down): every window is told, as the system tells
  // each top-level window once all of them have let it end (ours always do).
  void EndSession();
  // Queued for the message loop, as a message posted to a window would be.
  void Post(std::function<void()> task);
  // Another program holds the key, so registering it fails.
  void HoldHotkeyElsewhere(std::uint32_t modifiers, std::uint32_t key);
};

}  // namespace zorvane::support
