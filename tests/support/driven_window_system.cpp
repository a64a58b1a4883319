#include "tests/support/driven_window_system.h"

#include "platform/input_filter.h"
#include "platform/tab_order.h"

namespace zorvane::support {

using Lock = std::lock_guard<std::recursive_mutex>;

WindowHandle DrivenWindowSystem::OpenOtherProgramWindow(bool topmost) {
  Lock lock(mutex_);
  const std::uintptr_t id = nextId_++;
  zOrder_.push_back({id, topmost, false});
  RaiseLocked(id);
  active_ = id;
  return WindowHandle{id};
}

void DrivenWindowSystem::Activate(WindowHandle window) {
  Lock lock(mutex_);
  active_ = window.value;
  RaiseLocked(window.value);
}

void DrivenWindowSystem::Post(std::function<void()> task) {
  Lock lock(mutex_);
  posted_.push_back(std::move(task));
}

void DrivenWindowSystem::EndSession() {
  for (const WindowHandle window : Windows()) Fire(window.value, {}, UiEvent::SessionEnding);
}

void DrivenWindowSystem::SetScreenSize(Size screen) {
  Lock lock(mutex_);
  screen_ = screen;
}

void DrivenWindowSystem::SetScreenDpi(int dpi) {
  Lock lock(mutex_);
  dpi_ = dpi;
}

void DrivenWindowSystem::ChangeResolution(Size screen) {
  {
    Lock lock(mutex_);
    screen_ = screen;
    if (!monitors_.empty()) monitors_.front() = {0, 0, screen.width, screen.height};
  }
  FireEverywhere(UiEvent::ScreenChanged);
}

void DrivenWindowSystem::ChangeMonitors(std::vector<Rect> monitors, std::vector<int> dpis) {
  {
    Lock lock(mutex_);
    monitors_ = std::move(monitors);
    monitorDpis_ = std::move(dpis);
    if (!monitors_.empty()) screen_ = {monitors_.front().width, monitors_.front().height};
  }
  FireEverywhere(UiEvent::ScreenChanged);
}

void DrivenWindowSystem::ChangeWorkArea() { FireEverywhere(UiEvent::ScreenChanged); }

void DrivenWindowSystem::ChangeWindowDpi(WindowHandle window, int dpi, Rect suggested) {
  LayOutAgainAtDpi(window, dpi, suggested);
}

void DrivenWindowSystem::Click(ControlHandle control) {
  std::uintptr_t window = 0;
  std::string_view name;
  {
    Lock lock(mutex_);
    auto found = controls_.find(control.value);
    if (found == controls_.end() || !ControlShownLocked(found->second)) return;
    if (!windows_.at(found->second.window).enabled) return;
    if (found->second.layout->kind != ControlKind::Button) return;
    window = found->second.window;
    name = found->second.layout->name;
  }
  Fire(window, name, UiEvent::Clicked);
}

void DrivenWindowSystem::Type(ControlHandle control, std::string_view text) {
  for (char c : text) {
    std::string next;
    {
      Lock lock(mutex_);
      auto found = controls_.find(control.value);
      // A disabled window (one behind a modal window) takes no keystrokes.
      if (found == controls_.end() || !windows_.at(found->second.window).enabled) return;
      const ControlSpec& layout = *found->second.layout;
      if (layout.kind != ControlKind::EditBox ||
          !AcceptsTypedCharacter(layout.editMode, static_cast<unsigned char>(c))) {
        continue;
      }
      next = found->second.text + c;
    }
    ReplaceText(control, std::move(next));
  }
}

void DrivenWindowSystem::Paste(ControlHandle control, std::string_view text) {
  std::string next;
  {
    Lock lock(mutex_);
    auto found = controls_.find(control.value);
    if (found == controls_.end() || found->second.layout->kind != ControlKind::EditBox ||
        found->second.layout->editMode == EditMode::ReadOnly ||
        !windows_.at(found->second.window).enabled) {
      return;
    }
    next = found->second.text + std::string(text);
  }
  ReplaceText(control, std::move(next));
}

void DrivenWindowSystem::RequestClose(WindowHandle window) {
  if (!WindowExists(window)) return;
  Fire(window.value, {}, UiEvent::CloseRequested);
  DestroyWindow(window);
}

void DrivenWindowSystem::Drag(WindowHandle window, Point to) {
  {
    Lock lock(mutex_);
    auto found = windows_.find(window.value);
    if (found == windows_.end() || !found->second.enabled ||
        !found->second.layout.Window().dragAnywhere) {
      return;
    }
    found->second.bounds.left = to.x;
    found->second.bounds.top = to.y;
  }
  Fire(window.value, {}, UiEvent::MovedByUser);
}

void DrivenWindowSystem::PressEscape(WindowHandle window) {
  bool closes = false;
  {
    Lock lock(mutex_);
    auto found = windows_.find(window.value);
    closes = found != windows_.end() && found->second.layout.Window().escapeCloses &&
             found->second.enabled;
  }
  if (closes) RequestClose(window);
}

// Win32's Tab also passes over disabled controls; the program disables whole windows
// only, never a control, so that never comes up.
void DrivenWindowSystem::PressTab(bool backwards) {
  Lock lock(mutex_);
  auto focused = controls_.find(focus_);
  if (focused == controls_.end()) return;
  const Window& window = windows_.at(focused->second.window);
  std::span<const ControlSpec> layouts = window.layout.Window().controls;
  const auto current = static_cast<std::ptrdiff_t>(focused->second.layout - layouts.data());
  const std::ptrdiff_t next = NextTabStop(layouts, current, backwards, [&](std::size_t index) {
    return ControlShownLocked(controls_.at(window.controls[index]));
  });
  focus_ = window.controls[static_cast<std::size_t>(next)];
}

bool DrivenWindowSystem::PressHotkey(std::uint32_t modifiers, std::uint32_t key) {
  std::function<void()> callback;
  {
    Lock lock(mutex_);
    auto found = hotkeys_.find({modifiers, key});
    if (found == hotkeys_.end() || found->second.window == 0) return false;
    callback = found->second.callback;  // a copy: the handler may unregister it
  }
  callback();
  return true;
}

void DrivenWindowSystem::HoldHotkeyElsewhere(std::uint32_t modifiers, std::uint32_t key) {
  Lock lock(mutex_);
  hotkeys_.try_emplace({modifiers, key}, Hotkey{});
}

void DrivenWindowSystem::DismissMessageBox() {
  Lock lock(mutex_);
  for (auto box = messageBoxes_.rbegin(); box != messageBoxes_.rend(); ++box) {
    if (box->open) {
      box->open = false;
      return;
    }
  }
}

}  // namespace zorvane::support
