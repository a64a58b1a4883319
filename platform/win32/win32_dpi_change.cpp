// A window dragged to a screen of another DPI: Windows tells it the new DPI and the
// rectangle it suggests, and the window lays itself out again there, from its logical
// layout, with its controls, fonts and pictures at the new DPI.
#include "platform/win32/win32_window_state.h"

namespace zorvane::win32 {

void Win32WindowSystem::State::OnDpiChanged(WindowRecord& window, int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  if (dpi != window.layout.Dpi()) {
    window.layout.Rescale(dpi);
    for (const auto& control : window.controls) {
      if (control && control->hwnd != nullptr) FitControlToLayout(*control, dpi);
    }
  }
  SetWindowPos(window.hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zorvane::win32
