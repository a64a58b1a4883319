// The window procedure of the windows built from layouts: it turns their messages into
// the events of their bindings and into the work of the other parts.
#include "platform/win32/win32_window_state.h"

namespace zorvane::win32 {
namespace {

WindowRecord* BoundRecord(HWND hwnd) {
  return reinterpret_cast<WindowRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

// Handlers are copied out first: they may destroy the window whose record holds them.
void Win32WindowSystem::State::Fire(const WindowRecord& window, std::string_view control,
                                    UiEvent event) {
  if (std::function<void()> handler = window.events.HandlerFor(control, event)) handler();
}

void Win32WindowSystem::State::OnCommand(const WindowRecord& window, int id, int code) {
  const ControlRecord* control = window.ControlById(id);
  if (control == nullptr) return;
  if (code == BN_CLICKED && control->layout->kind == ControlKind::Button) {
    Fire(window, control->layout->name, UiEvent::Clicked);
  } else if (code == EN_CHANGE && control->layout->kind == ControlKind::EditBox) {
    Fire(window, control->layout->name, UiEvent::TextChanged);
  }
}

LRESULT CALLBACK Win32WindowSystem::State::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
  if (message == WM_NCCREATE) {
    // The record comes with the creation data: bound here, it is found by every message
    // from this one on.
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* record = static_cast<WindowRecord*>(create->lpCreateParams);
    record->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
  }
  WindowRecord* window = BoundRecord(hwnd);
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  State* state = window->system;

  switch (message) {
    case WM_COMMAND:
      OnCommand(*window, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(*window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      // Dragged onto a monitor of another scale, the window is where the user takes it.
      if (window->dragged) Fire(*window, {}, UiEvent::MovedByUser);
      Fire(*window, {}, UiEvent::DpiChanged);
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam != SPI_SETWORKAREA) break;
      [[fallthrough]];
    case WM_DISPLAYCHANGE:  // a new resolution, or a monitor added or removed
      Fire(*window, {}, UiEvent::ScreenChanged);
      break;
    case WM_TIMER:
      state->OnTimer(*window, static_cast<int>(wParam));
      return 0;
    case WM_HOTKEY:
      OnHotkey(*window, static_cast<int>(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnControlColour(*window, reinterpret_cast<HDC>(wParam),
                             reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, window->background.get());
      return 1;
    }
    case WM_PAINT: {
      // A window that holds a drawn picture shows it again; the others paint as usual.
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      state->pictures.Paint(hwnd, dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (window->layout.Window().dragAnywhere) {
        // Moving as if the title bar had been pressed. Labels let presses through to here;
        // buttons and edit boxes keep theirs.
        RECT before{}, after{};
        GetWindowRect(hwnd, &before);
        ReleaseCapture();
        window->dragged = true;
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);  // returns when the drag ends
        if (BoundRecord(hwnd) != window) return 0;  // gone meanwhile
        window->dragged = false;
        GetWindowRect(hwnd, &after);
        if (before.left != after.left || before.top != after.top) {
          Fire(*window, {}, UiEvent::MovedByUser);
        }
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        state->RememberFocus(hwnd);
        break;
      }
      // Not minimised: the control that had the focus has it again, rather than the window
      // itself (where typed digits would go nowhere).
      if (HIWORD(wParam) == 0 && state->GiveFocusBack(hwnd)) return 0;
      break;
    case WM_SETFOCUS:
      // The window itself was given the focus (a click on its background, say): it passes
      // it on to its control, as a dialog does.
      if (state->GiveFocusBack(hwnd, reinterpret_cast<HWND>(wParam))) return 0;
      break;
    case WM_CLOSE:
      // A request that comes while the window is going (Esc held down while shut-down waits
      // with the messages moving) would start the destruction again from inside it.
      if (window->events.Destroying()) return 0;
      Fire(*window, {}, UiEvent::CloseRequested);
      state->Destroy(hwnd);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // the session may end: the program saves on its way out
    case WM_ENDSESSION:
      if (wParam != FALSE) Fire(*window, {}, UiEvent::SessionEnding);
      return 0;
    case WM_DESTROY:
      window->events.BeginDestruction();
      // Destroyed by hand, a modal window gives the others back here at the latest.
      state->GiveBackEnabledStates(hwnd);
      Fire(*window, {}, UiEvent::AboutToBeDestroyed);
      return 0;
    case WM_NCDESTROY: {
      const bool endsProgram = window->layout.Window().endsProgram;
      UnregisterHotkeys(*window);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      state->pictures.Forget(hwnd);
      state->keyboardBeforeShown.erase(hwnd);
      state->lastFocus.erase(hwnd);
      // A window whose creation failed half-way was never listed; it ends nothing.
      if (state->windows.erase(hwnd) > 0 && endsProgram) PostQuitMessage(0);
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace zorvane::win32
