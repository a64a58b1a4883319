// The window system in memory: no screen, no messages, just the state a real window system
// would hold, and the same events. Tests read back texts, geometry, visibility and focus;
// what a user, another program or the screen does to it comes from the tests' own side
// (tests/support/driven_window_system.h).
//
// Every call may come from any thread; handlers run on the calling thread, never under the
// internal lock, so a handler may call back in. The windows belong to the thread that built
// this (the UI thread). As on Windows, a worker's call that changes one of them or reads a
// control's text (texts, bounds, visibility, enabling, RunOnUiThread) is a message sent to
// the UI thread: it runs there when the UI thread next handles messages (its message loop,
// a pump, a modal loop, or being idle while virtual time moves on), and the worker waits
// for it meanwhile. A UI thread that never gets there leaves the worker waiting: on virtual
// time a UI thread that then waits for that worker's lock fails with Deadlock; with real
// threads a worker kept waiting for 30 s does.
//
// A modal window or a message box runs the posted tasks (messages posted to the program),
// one after the other, until it has gone.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/event_bindings.h"
#include "platform/jpeg/jpeg_codec.h"
#include "platform/memory/memory_kept_pictures.h"
#include "platform/memory/twin_clock.h"
#include "platform/scaled_layout.h"
#include "platform/window_system.h"

namespace zorvane::memory {

// A modal window or message box was still open when no posted task was left to close it:
// in memory nobody else ever would. It has been closed before this is thrown.
class UnansweredModal : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

struct MessageBoxRecord {
  std::string title;
  std::string text;
  bool open = true;
};

class MemoryWindowSystem : public WindowSystem {
 public:
  // Timers run on `clock`'s time; without one, setting a timer does nothing.
  explicit MemoryWindowSystem(Size screen = {1920, 1080}, TwinClock* clock = nullptr);
  ~MemoryWindowSystem() override;

  using WindowSystem::CreateWindowFromLayout;
  WindowHandle CreateWindowFromLayout(const WindowSpec& layout, std::vector<EventBinding> bindings,
                                      WindowHandle* handle) override;
  void DestroyWindow(WindowHandle window) override;
  bool WindowExists(WindowHandle window) const override;
  Rect WindowBounds(WindowHandle window) const override;
  void SetWindowBounds(WindowHandle window, Rect bounds) override;
  bool IsWindowVisible(WindowHandle window) const override;
  void ShowWindow(WindowHandle window, bool visible) override;
  bool IsWindowEnabled(WindowHandle window) const override;
  void EnableWindow(WindowHandle window, bool enabled) override;
  Size ScreenSize() const override;
  int ScreenDpi() const override;
  int WindowDpi(WindowHandle window) const override;
  std::vector<Rect> MonitorRects() const override;
  void KeepAboveOtherPrograms(WindowHandle window) override;
  ControlHandle FindControl(WindowHandle window, std::string_view name) const override;
  std::string ControlText(ControlHandle control) const override;
  void SetControlText(ControlHandle control, std::string_view text) override;
  Colour ControlColour(ControlHandle control) const override;
  void SetControlColour(ControlHandle control, Colour colour) override;
  void SetFocus(ControlHandle control) override;
  bool ShowsPicture(ControlHandle control) const override;
  void SetTimer(WindowHandle window, int id, int intervalMs,
                std::function<void()> callback) override;
  void KillTimer(WindowHandle window, int id) override;
  bool RegisterHotkey(WindowHandle window, int id, std::uint32_t modifiers, std::uint32_t key,
                      std::function<void()> callback) override;
  void UnregisterHotkey(WindowHandle window, int id) override;
  void RunOnUiThread(const std::function<void()>& task) override;
  void RunMessageLoop() override;
  void PumpPendingMessages() override;
  void ShowModal(WindowHandle window) override;
  void ShowMessageBox(std::string_view title, std::string_view text) override;

  // --- What a test reads back ---------------------------------------------------------
  ControlHandle FocusedControl() const;
  // The control and every container it sits in are visible, and it lies inside its
  // window's client area (so a user could see it).
  bool IsControlShown(ControlHandle control) const;
  Rect ControlRect(ControlHandle control) const;
  const ControlSpec& ControlSpecOf(ControlHandle control) const;
  std::vector<WindowHandle> Windows() const;
  // The window built from the layout of that name; a zero handle when none is open.
  WindowHandle WindowByLayoutName(std::string_view layoutName) const;
  // The picture a button or picture box shows, at the size it is shown at; nothing when it
  // shows none.
  std::optional<Picture> ShownPicture(ControlHandle control) const;
  std::string_view WindowTitle(WindowHandle window) const;
  // Every message box shown, oldest first.
  std::vector<MessageBoxRecord> MessageBoxes() const;
  bool IsMessageBoxOpen() const;
  // The z-order as the system keeps it: every window, ours and other programs', top first;
  // the topmost band above the rest. A window comes at the top of its band when it is
  // created and when it is activated.
  std::vector<WindowHandle> ZOrder() const;
  bool IsTopmost(WindowHandle window) const;
  // The window that has the keyboard: the one shown (or clicked) last that activates; a zero
  // handle when it has gone.
  WindowHandle ActiveWindow() const;

  // --- The message loop's state ----------------------------------------------------
  // Whether a message (posted, or sent by a worker) waits for the UI thread.
  bool HasPendingInput() const;
  // The UI thread handles every call that workers have sent it; false when there was none.
  bool HandleSentCalls();
  // Calls sent by workers and not handled yet.
  int SentCallCount() const;
  bool HasTimer(WindowHandle window, int id) const;
  // How many hotkeys the program's windows hold.
  std::size_t HotkeyCount() const;

  // The pictures windows show (see MemoryDrawing); each goes with its window.
  MemoryKeptPictures& Pictures() { return pictures_; }
  const MemoryKeptPictures& Pictures() const { return pictures_; }

 protected:
  struct Control {
    const ControlSpec* layout = nullptr;
    std::uintptr_t window = 0;
    std::string text;
    Colour colour = 0;
    std::optional<Picture> picture;  // as shown: chosen for the DPI and brought to its size
  };
  struct Window {
    ScaledLayout layout;
    EventBindings events;
    std::vector<std::uintptr_t> controls;  // in table order
    Rect bounds;
    bool visible = false;
    bool enabled = true;
    std::vector<int> timers;
    // The focus asked for while the window was hidden; it arrives when the window shows.
    std::uintptr_t pendingFocus = 0;
  };

  struct Hotkey {
    std::uintptr_t window = 0;  // 0: held by another program
    int id = 0;
    std::function<void()> callback;
  };

  // A window's place in the z-order.
  struct Stacked {
    std::uintptr_t id = 0;
    bool topmost = false;
    bool ours = true;
  };

  struct SentCall;
  // Off the UI thread: sends `call` to the UI thread, waits until it has run there, and
  // returns true. On the UI thread: false, and the caller goes on with the work itself.
  bool SentFromWorker(const std::function<void()>& call) const;
  // One part of a window's state: read (a default value when there is no such window), or
  // changed on the UI thread, where a worker's change is sent.
  template <typename Value>
  Value WindowState(WindowHandle window, Value Window::*field) const;
  template <typename Value>
  void ChangeWindowState(WindowHandle window, Value Window::*field, Value value);

  void ShowWindowLocked(std::uintptr_t window, bool visible);
  // Puts the window at the top of its band.
  void RaiseLocked(std::uintptr_t window);
  // Lays the window out at its monitor's DPI after a move, when monitors have DPIs.
  void FollowMonitorDpi(WindowHandle window);
  // As Windows does when a window's monitor changes its scale: lays it out again at `dpi`
  // (its controls, fonts and pictures), gives it the rectangle suggested, and then sends it
  // DpiChanged.
  void LayOutAgainAtDpi(WindowHandle window, int dpi, Rect suggested);

  void Fire(std::uintptr_t window, std::string_view control, UiEvent event);
  void FireEverywhere(UiEvent event);
  std::optional<Picture> PictureOf(const ControlSpec& control, int dpi) const;
  void ReplaceText(ControlHandle control, std::string text);
  bool ControlVisibleLocked(const Control& control, Rect* inWindow) const;
  bool ControlShownLocked(const Control& control) const;
  const Control& ControlLocked(ControlHandle control) const;

  static std::uintptr_t TimerKey(WindowHandle window, int id);

  // Disables every window but `except` and returns what each was before.
  std::map<std::uintptr_t, bool> DisableAllBut(std::uintptr_t except);
  void RestoreEnabled(const std::map<std::uintptr_t, bool>& before);
  // Runs posted tasks, one at a time, while `open` holds. False when none was left.
  bool RunPostedTasksWhile(const std::function<bool()>& open);

  mutable std::recursive_mutex mutex_;
  const std::thread::id uiThread_ = std::this_thread::get_id();
  mutable std::deque<std::shared_ptr<SentCall>> sent_;
  Size screen_;
  std::vector<Rect> monitors_;  // empty: one monitor, the primary screen
  std::vector<int> monitorDpis_;  // empty: no monitor has a scale of its own
  std::vector<Stacked> zOrder_;  // top first
  std::uintptr_t active_ = 0;
  int dpi_ = kLogicalDpi;
  TwinClock* clock_;
  std::uintptr_t nextId_ = 1;
  std::map<std::uintptr_t, Window> windows_;
  std::map<std::uintptr_t, Control> controls_;
  std::uintptr_t focus_ = 0;
  std::deque<std::function<void()>> posted_;
  bool quit_ = false;
  std::vector<MessageBoxRecord> messageBoxes_;
  std::map<std::pair<std::uint32_t, std::uint32_t>, Hotkey> hotkeys_;  // by modifiers, key
  MemoryKeptPictures pictures_;
};

}  // namespace zorvane::memory
