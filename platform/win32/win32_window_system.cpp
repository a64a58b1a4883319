#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <utility>
#include <vector>

#include "platform/tab_order.h"
#include "platform/win32/handle_casts.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/window_records.h"

namespace zorvane::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"ZorvaneWindow";

// Whether some part of the control lies inside the window's client area, where a user can
// see it.
bool LiesPartlyInside(HWND control, HWND root) {
  RECT client;
  RECT placed;
  RECT overlap;
  GetClientRect(root, &client);
  GetWindowRect(control, &placed);
  MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&placed), 2);
  return IntersectRect(&overlap, &client, &placed) != FALSE;
}

struct FrameStyles {
  DWORD style;
  DWORD exStyle;
};

FrameStyles StylesFor(const WindowSpec& layout) {
  // Unowned top-level windows get their own taskbar buttons as they are; WS_EX_APPWINDOW is
  // not needed for that (and would make Wine hand the window to an X window manager).
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (layout.topmost) exStyle |= WS_EX_TOPMOST;
  switch (layout.frame) {
    case FrameStyle::DialogFrame:
      // A dialog frame without WS_BORDER has no title bar and no system menu.
      return {WS_POPUP | WS_DLGFRAME, exStyle};
    case FrameStyle::CaptionClose:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU, exStyle | WS_EX_DLGMODALFRAME};
    case FrameStyle::Borderless:
      return {WS_POPUP, exStyle};
  }
  return {WS_POPUP, exStyle};
}

// Where the keyboard was before a modal window or a message box took it. Without an owner
// the system hands the activation to whichever of our windows it picks when the modal one
// goes, so the focus is given back by hand to the control that had it, as a dialog's end
// gives it back to its owner.
struct KeyboardPlace {
  HWND focus = GetFocus();
  HWND active = GetActiveWindow();

  void Restore() const {
    const HWND target = ::IsWindow(focus) ? focus : active;
    if (!::IsWindow(target)) return;
    const HWND root = GetAncestor(target, GA_ROOT);
    if (!::IsWindowEnabled(root) || !::IsWindowVisible(root)) return;
    if (target == root) {
      SetActiveWindow(root);
    } else {
      ::SetFocus(target);
    }
  }
};

}  // namespace

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

  WindowRecord* RecordOf(HWND hwnd) const {
    auto found = windows.find(hwnd);
    return found == windows.end() ? nullptr : found->second.get();
  }

  // Handlers are copied out first: they may destroy the window whose record holds them.
  void Fire(HWND hwnd, std::string_view control, UiEvent event) const {
    const WindowRecord* window = RecordOf(hwnd);
    if (window == nullptr) return;
    if (std::function<void()> handler = window->events.HandlerFor(control, event)) handler();
  }

  void OnCommand(HWND hwnd, int id, int code) const {
    const WindowRecord* window = RecordOf(hwnd);
    if (window == nullptr) return;
    const ControlRecord* control = window->ControlById(id);
    if (control == nullptr) return;
    if (code == BN_CLICKED && control->layout->kind == ControlKind::Button) {
      Fire(hwnd, control->layout->name, UiEvent::Clicked);
    } else if (code == EN_CHANGE && control->layout->kind == ControlKind::EditBox) {
      Fire(hwnd, control->layout->name, UiEvent::TextChanged);
    }
  }

  LRESULT OnControlColour(HWND hwnd, HDC dc, HWND controlHwnd) const {
    const WindowRecord* window = RecordOf(hwnd);
    const ControlRecord* control =
        window == nullptr ? nullptr : window->ControlById(GetDlgCtrlID(controlHwnd));
    if (control == nullptr || !control->background) {
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetTextColor(dc, ResolveColour(control->layout->textColour));
    SetBkColor(dc, ResolveColour(control->layout->backColour));
    return reinterpret_cast<LRESULT>(control->background.get());
  }

  // Tab moves through the visible tab-stop controls in the order of their focus numbers,
  // passing over those that lie wholly outside the window, as the about area's buttons do
  // while the bar is folded: the focus would vanish from sight, and Space would press a
  // button nobody can see.
  void MoveFocus(HWND root, bool backwards) const {
    const WindowRecord* window = RecordOf(root);
    if (window == nullptr || window->controls.empty()) return;
    std::ptrdiff_t current = -1;
    const HWND focused = GetFocus();
    for (std::size_t i = 0; i < window->controls.size(); ++i) {
      if (window->controls[i]->hwnd == focused) current = static_cast<std::ptrdiff_t>(i);
    }
    const std::ptrdiff_t next =
        NextTabStop(window->layout.controls, current, backwards, [&](std::size_t index) {
          const HWND candidate = window->controls[index]->hwnd;
          return candidate != nullptr && ::IsWindowVisible(candidate) &&
                 ::IsWindowEnabled(candidate) && LiesPartlyInside(candidate, root);
        });
    if (next < 0 || next == current) return;
    const ControlRecord& target = *window->controls[static_cast<std::size_t>(next)];
    ::SetFocus(target.hwnd);
    if (target.layout->kind == ControlKind::EditBox) SendMessageW(target.hwnd, EM_SETSEL, 0, -1);
  }

  // Keys that act on the whole window, whichever control has the focus. Returns true when
  // the message has been handled.
  bool PreTranslate(const MSG& message) const {
    if (message.message != WM_KEYDOWN) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const WindowRecord* window = RecordOf(root);
    if (window == nullptr) return false;
    if (message.wParam == VK_ESCAPE && window->layout.escapeCloses) {
      SendMessageW(root, WM_CLOSE, 0, 0);
      return true;
    }
    if (message.wParam == VK_TAB) {
      MoveFocus(root, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
      return true;
    }
    return false;
  }

  void Dispatch(const MSG& message) const {
    if (PreTranslate(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  void OnTimer(HWND hwnd, int id) const;

  void RememberFocus(HWND root) {
    const HWND focus = GetFocus();
    if (focus != nullptr && ::IsChild(root, focus)) lastFocus[root] = focus;
  }

  // Gives the focus to the control of `root` that had it last (`previous`, when the focus
  // comes straight from one of them). False when there is none that can take it.
  bool GiveFocusBack(HWND root, HWND previous = nullptr) {
    if (previous != nullptr && ::IsChild(root, previous)) lastFocus[root] = previous;
    const auto found = lastFocus.find(root);
    if (found == lastFocus.end()) return false;
    const HWND control = found->second;
    if (!::IsWindow(control) || !::IsChild(root, control) || !::IsWindowVisible(control) ||
        !::IsWindowEnabled(control)) {
      return false;
    }
    ::SetFocus(control);
    return true;
  }

  // The other windows get their enabled states back before a modal window goes, so that
  // the system can hand the activation to one of them, as a dialog's end does.
  void GiveBackEnabledStates(HWND modal) {
    const auto found = disabledByModal.find(modal);
    if (found == disabledByModal.end()) return;
    const std::vector<std::pair<HWND, bool>> wasEnabled = std::move(found->second);
    disabledByModal.erase(found);
    for (const auto& [hwnd, enabled] : wasEnabled) {
      if (RecordOf(hwnd) != nullptr) ::EnableWindow(hwnd, enabled ? TRUE : FALSE);
    }
  }

  // A window shown when it was made has the keyboard already: the place to give back at the
  // end of its modal run is the one from before it was shown.
  KeyboardPlace KeyboardBeforeModal(HWND modal) const {
    const auto shown = keyboardBeforeShown.find(modal);
    if (!::IsWindowVisible(modal) || shown == keyboardBeforeShown.end()) return {};
    return shown->second;
  }

  void Destroy(HWND hwnd) {
    GiveBackEnabledStates(hwnd);
    ::DestroyWindow(hwnd);
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  std::uint64_t nextTimerGeneration = 1;
};

// Runs the tick, then arms the system timer for exactly the next due time. When the tick
// came later than the following due time (the machine stalled), the phase starts afresh
// from now: the countdown is delayed, but never catches up with a burst of ticks.
void Win32WindowSystem::State::OnTimer(HWND hwnd, int id) const {
  WindowRecord* window = RecordOf(hwnd);
  if (window == nullptr) return;
  auto found = window->timers.find(id);
  if (found == window->timers.end()) return;
  const std::uint64_t generation = found->second.generation;
  std::function<void()> callback = found->second.callback;
  ++found->second.fired;
  callback();

  window = RecordOf(hwnd);  // the tick may have destroyed the window or reset the timer
  if (window == nullptr) return;
  found = window->timers.find(id);
  if (found == window->timers.end() || found->second.generation != generation) return;
  TimerRecord& timer = found->second;
  using std::chrono::milliseconds;
  const auto now = std::chrono::steady_clock::now();
  auto due = timer.start + milliseconds(timer.interval) * (timer.fired + 1);
  if (due <= now) {
    timer.start = now + milliseconds(timer.interval) - milliseconds(timer.interval) * (timer.fired + 1);
    due = now + milliseconds(timer.interval);
  }
  const auto delay = std::chrono::duration_cast<milliseconds>(due - now).count();
  ::SetTimer(hwnd, static_cast<UINT_PTR>(id), static_cast<UINT>(std::max<long long>(delay, USER_TIMER_MINIMUM)),
             nullptr);
}

namespace {
Win32WindowSystem::State* StateOf(HWND hwnd) {
  return reinterpret_cast<Win32WindowSystem::State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}
}  // namespace

LRESULT CALLBACK Win32WindowSystem::State::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  State* state = StateOf(hwnd);
  WindowRecord* window = state == nullptr ? nullptr : state->RecordOf(hwnd);
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

  switch (message) {
    case WM_COMMAND:
      state->OnCommand(hwnd, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      state->OnTimer(hwnd, static_cast<int>(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return state->OnControlColour(hwnd, reinterpret_cast<HDC>(wParam),
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
      if (window->layout.dragAnywhere) {
        // Moving as if the title bar had been pressed. Labels let presses through to here;
        // buttons and edit boxes keep theirs.
        ReleaseCapture();
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
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
      state->Fire(hwnd, {}, UiEvent::CloseRequested);
      state->Destroy(hwnd);
      return 0;
    case WM_DESTROY:
      window->events.BeginDestruction();
      // Destroyed by hand, a modal window gives the others back here at the latest.
      state->GiveBackEnabledStates(hwnd);
      state->Fire(hwnd, {}, UiEvent::AboutToBeDestroyed);
      return 0;
    case WM_NCDESTROY: {
      const bool endsProgram = window->layout.endsProgram;
      state->pictures.Forget(hwnd);
      state->keyboardBeforeShown.erase(hwnd);
      state->lastFocus.erase(hwnd);
      state->windows.erase(hwnd);
      if (endsProgram) PostQuitMessage(0);
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

Win32WindowSystem::Win32WindowSystem() : state_(std::make_unique<State>()) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterControlClasses(instance);
  static const bool registered = [instance] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = State::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

Win32WindowSystem::~Win32WindowSystem() {
  // Windows still open belong to this object's records: close them before the records go.
  std::vector<HWND> open;
  for (const auto& [hwnd, record] : state_->windows) open.push_back(hwnd);
  for (HWND hwnd : open) ::DestroyWindow(hwnd);
  state_->windows.clear();
}

WindowHandle Win32WindowSystem::CreateWindowFromLayout(const WindowSpec& layout,
                                                       std::vector<EventBinding> bindings,
                                                       WindowHandle* handle) {
  auto record = std::make_unique<WindowRecord>();
  record->layout = layout;
  record->events = EventBindings(std::move(bindings));
  record->background.reset(CreateSolidBrush(ResolveColour(layout.background)));

  const FrameStyles styles = StylesFor(layout);
  const Point origin = CentredOrigin(layout.size, ScreenSize());
  const std::wstring title = GbkToWide(layout.title);
  // The record must be findable from the first message on, before CreateWindowExW returns.
  WindowRecord* window = record.get();
  HWND hwnd = CreateWindowExW(styles.exStyle, kWindowClass, title.c_str(), styles.style, origin.x,
                              origin.y, layout.size.width, layout.size.height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), state_.get());
  if (hwnd == nullptr) return {};
  window->hwnd = hwnd;
  window->layoutName = GlobalAtom(GbkToWide(layout.name));
  TagWithLayoutName(hwnd, window->layoutName);
  state_->windows.emplace(hwnd, std::move(record));
  if (layout.topmost) SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    window->controls.push_back(CreateControl(*window, i));
  }
  if (handle != nullptr) *handle = AsWindow(hwnd);
  state_->Fire(hwnd, {}, UiEvent::Created);
  if (layout.visible && ::IsWindow(hwnd)) ShowWindow(AsWindow(hwnd), true);
  return AsWindow(hwnd);
}

void Win32WindowSystem::DestroyWindow(WindowHandle window) {
  const HWND hwnd = AsHwnd(window);
  // Only the thread that made a window can destroy it, and the records are that thread's.
  if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return;
  // Once begun, a destruction runs to its end; asking again from inside it would run the
  // window's AboutToBeDestroyed handler once more.
  const WindowRecord* record = state_->RecordOf(hwnd);
  if (record != nullptr && record->events.Destroying()) return;
  state_->Destroy(hwnd);
}

bool Win32WindowSystem::WindowExists(WindowHandle window) const {
  return window && ::IsWindow(AsHwnd(window));
}

Rect Win32WindowSystem::WindowBounds(WindowHandle window) const {
  RECT rect{};
  if (!GetWindowRect(AsHwnd(window), &rect)) return {};
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Win32WindowSystem::SetWindowBounds(WindowHandle window, Rect bounds) {
  SetWindowPos(AsHwnd(window), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32WindowSystem::IsWindowVisible(WindowHandle window) const {
  return ::IsWindowVisible(AsHwnd(window)) != FALSE;
}

void Win32WindowSystem::ShowWindow(WindowHandle window, bool visible) {
  const HWND hwnd = AsHwnd(window);
  // The records belong to the UI thread; a redraw on a worker thread shows the display
  // window too, and has no keyboard to note or pending focus to hand over.
  const bool onUiThread = GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
  if (onUiThread && visible && !::IsWindowVisible(hwnd) && state_->RecordOf(hwnd) != nullptr) {
    state_->keyboardBeforeShown[hwnd] = KeyboardPlace{};
  }
  ::ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
  if (!visible || !onUiThread) return;
  // A focus asked for while the window was hidden takes effect now that it can.
  if (WindowRecord* record = state_->RecordOf(hwnd); record != nullptr && record->pendingFocus) {
    ::SetFocus(record->pendingFocus);
    record->pendingFocus = nullptr;
  }
}

bool Win32WindowSystem::IsWindowEnabled(WindowHandle window) const {
  return ::IsWindowEnabled(AsHwnd(window)) != FALSE;
}

void Win32WindowSystem::EnableWindow(WindowHandle window, bool enabled) {
  ::EnableWindow(AsHwnd(window), enabled ? TRUE : FALSE);
}

Size Win32WindowSystem::ScreenSize() const {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ControlHandle Win32WindowSystem::FindControl(WindowHandle window, std::string_view name) const {
  const WindowRecord* record = state_->RecordOf(AsHwnd(window));
  if (record == nullptr) return {};
  for (const auto& control : record->controls) {
    if (control->layout->name == name) return AsControl(control->hwnd);
  }
  return {};
}

std::string Win32WindowSystem::ControlText(ControlHandle control) const {
  const HWND hwnd = AsHwnd(control);
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return WideToGbk(text);
}

void Win32WindowSystem::SetControlText(ControlHandle control, std::string_view text) {
  SetWindowTextW(AsHwnd(control), GbkToWide(text).c_str());
}

Colour Win32WindowSystem::ControlColour(ControlHandle control) const {
  return PickerColour(AsHwnd(control));
}

void Win32WindowSystem::SetControlColour(ControlHandle control, Colour colour) {
  SetPickerColour(AsHwnd(control), colour);
}

void Win32WindowSystem::SetFocus(ControlHandle control) {
  const HWND hwnd = AsHwnd(control);
  const HWND root = GetAncestor(hwnd, GA_ROOT);
  if (!::IsWindowVisible(root)) {
    if (WindowRecord* record = state_->RecordOf(root); record != nullptr) {
      record->pendingFocus = hwnd;
      return;
    }
  }
  ::SetFocus(hwnd);
}

bool Win32WindowSystem::ShowsPicture(ControlHandle control) const {
  const HWND hwnd = AsHwnd(control);
  const WindowRecord* window = state_->RecordOf(GetAncestor(hwnd, GA_ROOT));
  if (window == nullptr) return false;
  const ControlRecord* record = window->ControlById(GetDlgCtrlID(hwnd));
  return record != nullptr && record->picture != nullptr;
}

void Win32WindowSystem::SetTimer(WindowHandle window, int id, int intervalMs,
                                 std::function<void()> callback) {
  WindowRecord* record = state_->RecordOf(AsHwnd(window));
  if (record == nullptr) return;
  record->timers[id] = TimerRecord{intervalMs, std::chrono::steady_clock::now(), 0,
                                   state_->nextTimerGeneration++, std::move(callback)};
  ::SetTimer(AsHwnd(window), static_cast<UINT_PTR>(id), static_cast<UINT>(intervalMs), nullptr);
}

void Win32WindowSystem::KillTimer(WindowHandle window, int id) {
  ::KillTimer(AsHwnd(window), static_cast<UINT_PTR>(id));
  if (WindowRecord* record = state_->RecordOf(AsHwnd(window)); record != nullptr) {
    record->timers.erase(id);
  }
}

void Win32WindowSystem::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) state_->Dispatch(message);
}

void Win32WindowSystem::ShowModal(WindowHandle window) {
  const HWND modal = AsHwnd(window);
  if (state_->RecordOf(modal) == nullptr) return;
  const KeyboardPlace before = state_->KeyboardBeforeModal(modal);
  std::vector<std::pair<HWND, bool>>& wasEnabled = state_->disabledByModal[modal];
  for (const auto& [hwnd, record] : state_->windows) {
    if (hwnd == modal) continue;
    wasEnabled.emplace_back(hwnd, ::IsWindowEnabled(hwnd) != FALSE);
    ::EnableWindow(hwnd, FALSE);
  }
  ShowWindow(window, true);

  // The program's own loop, nested: timers, Esc and Tab work as everywhere else.
  MSG message{};
  bool quit = false;
  while (state_->RecordOf(modal) != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    state_->Dispatch(message);
  }
  // Only a quit message ends the loop early; the window goes with the loop it belongs to.
  if (state_->RecordOf(modal) != nullptr) state_->Destroy(modal);
  state_->GiveBackEnabledStates(modal);  // done by its destruction, unless that failed
  before.Restore();
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop to see
}

void Win32WindowSystem::ShowMessageBox(std::string_view title, std::string_view text) {
  const KeyboardPlace before;
  // MB_TASKMODAL without an owner disables every window of this thread while the box is up
  // and enables again exactly those it disabled. MB_OK and no icon flag: one button, no icon.
  MessageBoxW(nullptr, GbkToWide(text).c_str(), GbkToWide(title).c_str(), MB_OK | MB_TASKMODAL);
  before.Restore();
}

void Win32WindowSystem::PumpPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (message.message == WM_QUIT) return;  // left in the queue for the main loop
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    state_->Dispatch(message);
  }
}

KeptPictures& Win32WindowSystem::Pictures() { return state_->pictures; }

}  // namespace zorvane::win32
