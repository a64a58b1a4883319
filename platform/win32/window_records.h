// What the Win32 backend keeps for each window it built from a layout, and for each of its
// controls. Internal to platform/win32.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/event_bindings.h"
#include "platform/layout.h"
#include "platform/scaled_layout.h"
#include "platform/win32/scoped.h"
#include "platform/win32/win32_window_system.h"
#include "platform/window_system.h"

namespace zorvane::win32 {

// Every window and control built from a layout carries its layout name as a global atom in
// this window property, so test drivers in another process can find it by name.
inline constexpr wchar_t kLayoutNameProperty[] = L"Zorvane.LayoutName";

// Owns one reference to a global atom.
class GlobalAtom {
 public:
  GlobalAtom() = default;
  explicit GlobalAtom(const std::wstring& name) : atom_(GlobalAddAtomW(name.c_str())) {}
  ~GlobalAtom() { Release(); }
  GlobalAtom(GlobalAtom&& other) noexcept : atom_(std::exchange(other.atom_, ATOM{0})) {}
  GlobalAtom& operator=(GlobalAtom&& other) noexcept {
    if (this != &other) {
      Release();
      atom_ = std::exchange(other.atom_, ATOM{0});
    }
    return *this;
  }
  ATOM get() const { return atom_; }

 private:
  void Release() {
    if (atom_ != 0) GlobalDeleteAtom(atom_);
  }
  ATOM atom_ = 0;
};

// Puts the layout name on the window (the atom must outlive the window).
void TagWithLayoutName(HWND hwnd, const GlobalAtom& name);

struct ControlRecord {
  const ControlSpec* layout = nullptr;
  GlobalAtom layoutName;
  HWND hwnd = nullptr;
  ScopedGdiObject<HFONT> font;          // none: the default GUI font
  ScopedGdiObject<HBRUSH> background;   // for labels and edit boxes
  ScopedGdiObject<HBITMAP> picture;     // decoded JPEG of buttons and picture boxes
  int pictureWidth = 0;
  int pictureHeight = 0;

  HFONT Font() const;
};

// A periodic timer that keeps time: tick k is due k intervals after the timer was set,
// measured on the monotonic clock, so late deliveries never add up to drift.
struct TimerRecord {
  int interval = 0;
  std::chrono::steady_clock::time_point start;
  std::int64_t fired = 0;
  std::uint64_t generation = 0;  // tells a timer set again apart from the one that fired
  std::function<void()> callback;
};

// Bound to its window at WM_NCCREATE (the window's GWLP_USERDATA), so every message from
// then on finds it; listed among its window system's windows once CreateWindowExW returns.
struct WindowRecord {
  Win32WindowSystem::State* system = nullptr;  // the window system that built it
  ScaledLayout layout;  // at the DPI the window was built for; the controls point into it
  GlobalAtom layoutName;
  EventBindings events;
  HWND hwnd = nullptr;
  ScopedGdiObject<HBRUSH> background;
  std::vector<std::unique_ptr<ControlRecord>> controls;  // in table order; id = index + 1
  HWND pendingFocus = nullptr;  // focus asked for while the window was still hidden
  bool dragged = false;  // the user is dragging it: a new DPI now comes from the drag
  std::map<int, TimerRecord> timers;
  std::map<int, std::function<void()>> hotkeys;  // by id, registered with the system

  ControlRecord* ControlById(int id) const;
};

// The colour a layout means: the default stands for the system's button face.
COLORREF ResolveColour(Colour colour);

// Control ids are table positions plus one, so a WM_COMMAND finds its record directly.
int ControlId(std::size_t tableIndex);

// Builds one control of `window` (its container, if any, must exist already).
std::unique_ptr<ControlRecord> CreateControl(WindowRecord& window, std::size_t tableIndex);

// Gives a built control the rectangle, font and picture its layout row has now (after the
// window's layout was laid out again at `dpi`); its text, colour, visibility and state stay.
void FitControlToLayout(ControlRecord& record, int dpi);

// Registers the window classes of the custom controls, or finds them registered by an
// earlier window system; false when one of them could not be had (see RegisterOwnClass).
bool RegisterControlClasses(HINSTANCE instance);

// Colour pickers keep their colour in the control window itself, so any thread can read it.
Colour PickerColour(HWND picker);
void SetPickerColour(HWND picker, Colour colour);

}  // namespace zorvane::win32
