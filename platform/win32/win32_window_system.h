// The real window system: user32 windows and controls built from layout tables, driven by
// the Win32 message loop. Creates and dispatches on the thread that constructs it (the UI
// thread); control texts and colours, window geometry, visibility and existence may be read
// and written from any thread. Finding controls, focus, timers and modal windows belong to
// the UI thread.
#pragma once

#include <memory>

#include "platform/win32/kept_pictures.h"
#include "platform/win32/ui_thread_calls.h"
#include "platform/window_system.h"

namespace zorvane::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  Win32WindowSystem();
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

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
  void RunOnUiThread(const std::function<void()>& task) override { uiCalls_.Run(task); }
  void RunMessageLoop() override;
  void PumpPendingMessages() override;
  void ShowModal(WindowHandle window) override;
  void ShowMessageBox(std::string_view title, std::string_view text) override;

  // The pictures windows show again when they are asked to repaint (see Win32Drawing).
  KeptPictures& Pictures();

  struct State;

 private:
  std::unique_ptr<State> state_;
  UiThreadCalls uiCalls_;  // made on the thread that builds this, the UI thread
};

}  // namespace zorvane::win32
