// The window system as the rest of the program sees it: windows built from layout tables,
// controls found by name, their events, geometry, the screen, visibility, focus, the
// message loop, modal windows and the message box.
// It never exposes a Win32 type; the Win32 backend and the in-memory backend implement it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/layout.h"

namespace zorvane {

// Opaque handles. A zero value means "no window" or "no control".
struct WindowHandle {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(const WindowHandle&, const WindowHandle&) = default;
};

struct ControlHandle {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(const ControlHandle&, const ControlHandle&) = default;
};

enum class UiEvent {
  Clicked,             // a completed left click, or Space on a focused button
  TextChanged,         // after every change of an edit box's text, typed or written
  Created,             // once, after the window and all its controls exist
  AboutToBeDestroyed,  // once, while the window is being destroyed
  CloseRequested,      // the window was asked to close; it then closes
  // The screen changed under the program: its resolution, its work area or its monitors.
  // Every top-level window gets it, after the change.
  ScreenChanged,
  // The window has been laid out again at another DPI (its monitor's scale changed, or it
  // was moved to a monitor of another scale), in the rectangle the system suggested.
  DpiChanged,
  // The user dragged the window to another place.
  MovedByUser,
  SessionEnding,       // the user's session ends (log-off, shut-down): once the handler has
                       // returned the process may be ended at any moment
};

// Binds one event of one control (or, with an empty control name, of the window itself)
// to a handler that takes no arguments and returns nothing.
struct EventBinding {
  std::string_view control;
  UiEvent event;
  std::function<void()> handler;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Creates the window and every control of its layout, laid out at the screen's DPI,
  // positions it centred on the primary screen, runs its Created binding, shows it if its
  // layout says so, and returns it. `handle`, when given, is set before the Created binding
  // runs, so that the handler can already use the window. After the AboutToBeDestroyed
  // binding has run, no other event of the window reaches its bindings.
  virtual WindowHandle CreateWindowFromLayout(const WindowSpec& layout,
                                              std::vector<EventBinding> bindings,
                                              WindowHandle* handle) = 0;
  WindowHandle CreateWindowFromLayout(const WindowSpec& layout, std::vector<EventBinding> bindings) {
    return CreateWindowFromLayout(layout, std::move(bindings), nullptr);
  }
  virtual void DestroyWindow(WindowHandle window) = 0;
  virtual bool WindowExists(WindowHandle window) const = 0;

  virtual Rect WindowBounds(WindowHandle window) const = 0;
  virtual void SetWindowBounds(WindowHandle window, Rect bounds) = 0;
  virtual bool IsWindowVisible(WindowHandle window) const = 0;
  virtual void ShowWindow(WindowHandle window, bool visible) = 0;
  virtual bool IsWindowEnabled(WindowHandle window) const = 0;
  virtual void EnableWindow(WindowHandle window, bool enabled) = 0;

  // The primary screen's full size; the taskbar is not taken into account.
  virtual Size ScreenSize() const = 0;
  // The primary screen's DPI as the system reports it to the program (96 at 100 %). Every
  // window is laid out at it when it is created (see scaled_layout.h).
  virtual int ScreenDpi() const = 0;
  // The DPI `window` is laid out at now: the one it was created at, until a DpiChanged
  // event lays it out at another. On the UI thread.
  virtual int WindowDpi(WindowHandle window) const = 0;
  // Every monitor's full rectangle in screen coordinates: the primary one first, the others
  // in the order the system lists them.
  virtual std::vector<Rect> MonitorRects() const = 0;

  // When a window of another program lies above `window` (a slide show that made itself
  // topmost), puts `window` back at the top of the topmost band, above it. Without
  // activating it: the keyboard stays where it is. Nothing happens while no other program's
  // window is above it. On the UI thread.
  virtual void KeepAboveOtherPrograms(WindowHandle window) = 0;

  // A control by its layout name; a zero handle when the window has no such control.
  virtual ControlHandle FindControl(WindowHandle window, std::string_view name) const = 0;
  virtual std::string ControlText(ControlHandle control) const = 0;
  virtual void SetControlText(ControlHandle control, std::string_view text) = 0;
  virtual Colour ControlColour(ControlHandle control) const = 0;
  virtual void SetControlColour(ControlHandle control, Colour colour) = 0;
  virtual void SetFocus(ControlHandle control) = 0;
  // Whether the control's picture could be decoded and is shown instead of its caption.
  virtual bool ShowsPicture(ControlHandle control) const = 0;

  // A periodic timer owned by `window` whose callback runs on the UI thread. Setting a timer
  // with the same id again restarts it; a timer dies with its window.
  virtual void SetTimer(WindowHandle window, int id, int intervalMs,
                        std::function<void()> callback) = 0;
  virtual void KillTimer(WindowHandle window, int id) = 0;

  // A key that works whichever program has the focus, owned by `window` under `id`: each
  // press runs `callback` on the UI thread. `modifiers` are the bits Alt 1, Ctrl 2, Shift 4
  // and Win 8, `key` a virtual-key code. A key held down does not repeat. False when the
  // system refuses the key (another program holds it, or this one does already). A hotkey
  // dies with its window.
  virtual bool RegisterHotkey(WindowHandle window, int id, std::uint32_t modifiers,
                              std::uint32_t key, std::function<void()> callback) = 0;
  virtual void UnregisterHotkey(WindowHandle window, int id) = 0;

  // Runs `task` on the UI thread and returns once it has run: at once when called there.
  // From a worker it is a message sent to the UI thread, and the worker waits until the UI
  // thread next handles messages (its message loop, a wait that keeps messages moving, a
  // modal window), as it does for every call that changes a window of the UI thread
  // (texts, bounds, visibility, styles). So a worker never calls it holding a lock that
  // the UI thread may wait for.
  virtual void RunOnUiThread(const std::function<void()>& task) = 0;

  // Runs the message loop until a window whose layout ends the program has been destroyed.
  virtual void RunMessageLoop() = 0;
  // Dispatches the messages that are pending now, then returns.
  virtual void PumpPendingMessages() = 0;

  // Runs `window` modally. While it is open every other window of the program is disabled;
  // once it has been destroyed each of them gets back the enabled state it had before, and
  // the call returns. Messages keep moving meanwhile, so timers go on firing.
  virtual void ShowModal(WindowHandle window) = 0;
  // A message box without an owner window, modal for the whole program, with one OK button
  // and no icon; returns once the user has closed it.
  virtual void ShowMessageBox(std::string_view title, std::string_view text) = 0;
};

}  // namespace zorvane
