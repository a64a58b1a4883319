#include "platform/memory/memory_window_system.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <stdexcept>

#include "platform/input_filter.h"
#include "platform/jpeg/picture_scaling.h"
#include "platform/screen_fit.h"
#include "platform/tab_order.h"

namespace zorvane::memory {

using Lock = std::lock_guard<std::recursive_mutex>;

namespace {
// A worker kept waiting this long by a UI thread that never handles its call is taken
// for a deadlock (with real threads; on virtual time the scheduler sees it at once).
constexpr std::chrono::seconds kSentCallWatchdog{30};
}  // namespace

struct MemoryWindowSystem::SentCall {
  const std::function<void()>* call = nullptr;  // on the waiting worker's stack
  std::atomic<bool> done{false};
  std::atomic<bool> withdrawn{false};  // its worker was terminated while it waited
  std::mutex mutex;
  std::condition_variable finished;
};

MemoryWindowSystem::MemoryWindowSystem(Size screen, VirtualScheduler* scheduler)
    : screen_(screen), scheduler_(scheduler) {
  if (scheduler_ != nullptr) {
    scheduler_->SetInputCheck([this] { return HasPendingInput(); });
    scheduler_->SetIdleWork([this] { return HandleSentCalls(); });
  }
}

MemoryWindowSystem::~MemoryWindowSystem() {
  if (scheduler_ != nullptr) {
    scheduler_->SetInputCheck({});
    scheduler_->SetIdleWork({});
  }
}

bool MemoryWindowSystem::SentFromWorker(const std::function<void()>& call) const {
  if (std::this_thread::get_id() == uiThread_) return false;
  auto sent = std::make_shared<SentCall>();
  sent->call = &call;
  {
    Lock lock(mutex_);
    sent_.push_back(sent);
  }
  // A worker terminated while it waits unwinds from here: its call must not run later.
  struct WithdrawUnlessDone {
    SentCall& sent;
    ~WithdrawUnlessDone() {
      if (!sent.done.load()) sent.withdrawn.store(true);
    }
  } withdraw{*sent};
  if (scheduler_ != nullptr && scheduler_->OnWorker()) {
    scheduler_->WaitUntil([sent] { return sent->done.load(); });
    return true;
  }
  std::unique_lock wait(sent->mutex);
  if (!sent->finished.wait_for(wait, kSentCallWatchdog, [&] { return sent->done.load(); })) {
    throw Deadlock("deadlock: the UI thread has not handled a worker's call for 30 s");
  }
  return true;
}

bool MemoryWindowSystem::HandleSentCalls() {
  bool handled = false;
  for (;;) {
    std::shared_ptr<SentCall> next;
    {
      Lock lock(mutex_);
      if (sent_.empty()) return handled;
      next = sent_.front();
      sent_.pop_front();
    }
    if (!next->withdrawn.load()) (*next->call)();
    {
      std::lock_guard lock(next->mutex);
      next->done.store(true);
    }
    next->finished.notify_all();
    handled = true;
  }
}

int MemoryWindowSystem::SentCallCount() const {
  Lock lock(mutex_);
  return static_cast<int>(sent_.size());
}

bool MemoryWindowSystem::HasPendingInput() const {
  Lock lock(mutex_);
  return !posted_.empty() || !sent_.empty();
}

void MemoryWindowSystem::RunOnUiThread(const std::function<void()>& task) {
  if (!SentFromWorker(task)) task();
}

std::uintptr_t MemoryWindowSystem::TimerKey(WindowHandle window, int id) {
  return (window.value << 8) | static_cast<std::uintptr_t>(id & 0xFF);
}

void MemoryWindowSystem::SetTimer(WindowHandle window, int id, int intervalMs,
                                  std::function<void()> callback) {
  {
    Lock lock(mutex_);
    auto found = windows_.find(window.value);
    if (found == windows_.end() || scheduler_ == nullptr) return;
    found->second.timers.push_back(id);
  }
  scheduler_->SetTimer(TimerKey(window, id), intervalMs, std::move(callback));
}

void MemoryWindowSystem::KillTimer(WindowHandle window, int id) {
  if (scheduler_ != nullptr) scheduler_->KillTimer(TimerKey(window, id));
}

bool MemoryWindowSystem::HasTimer(WindowHandle window, int id) const {
  return scheduler_ != nullptr && scheduler_->HasTimer(TimerKey(window, id));
}

WindowHandle MemoryWindowSystem::CreateWindowFromLayout(const WindowSpec& layout,
                                                        std::vector<EventBinding> bindings,
                                                        WindowHandle* handle) {
  std::uintptr_t id;
  {
    Lock lock(mutex_);
    id = nextId_++;
    Window& window = windows_[id];
    window.layout = ScaledLayout(layout, dpi_);
    const WindowSpec& scaled = window.layout.Window();
    window.events = EventBindings(std::move(bindings));
    const Point origin = CentredOrigin(scaled.size, screen_);
    window.bounds = {origin.x, origin.y, scaled.size.width, scaled.size.height};
    for (const ControlSpec& controlSpec : scaled.controls) {
      const std::uintptr_t controlId = nextId_++;
      Control& control = controls_[controlId];
      control.layout = &controlSpec;
      control.window = id;
      control.text = std::string(controlSpec.text);
      control.colour = controlSpec.colour;
      control.picture = PictureOf(controlSpec, dpi_);
      window.controls.push_back(controlId);
    }
    zOrder_.push_back({id, scaled.topmost, true});
    RaiseLocked(id);
  }
  if (handle != nullptr) *handle = WindowHandle{id};
  Fire(id, {}, UiEvent::Created);
  // As a real window, it shows once its creation is handled.
  if (WindowExists(WindowHandle{id})) {
    Lock lock(mutex_);
    ShowWindowLocked(id, windows_.at(id).layout.Window().visible);
  }
  return WindowHandle{id};
}

void MemoryWindowSystem::DestroyWindow(WindowHandle window) {
  // Windows refuses to destroy a window from a thread other than its own.
  if (std::this_thread::get_id() != uiThread_) return;
  {
    Lock lock(mutex_);
    auto found = windows_.find(window.value);
    if (found == windows_.end() || found->second.events.Destroying()) return;
    found->second.events.BeginDestruction();
  }
  Fire(window.value, {}, UiEvent::AboutToBeDestroyed);
  Lock lock(mutex_);
  auto found = windows_.find(window.value);
  if (found == windows_.end()) return;  // the handler destroyed it already
  for (std::uintptr_t control : found->second.controls) {
    if (focus_ == control) focus_ = 0;
    controls_.erase(control);
  }
  for (int id : found->second.timers) KillTimer(window, id);
  std::erase_if(hotkeys_, [&](const auto& entry) { return entry.second.window == window.value; });
  std::erase_if(zOrder_, [&](const Stacked& entry) { return entry.id == window.value; });
  if (active_ == window.value) active_ = 0;
  if (found->second.layout.Window().endsProgram) quit_ = true;
  windows_.erase(found);
  pictures_.Forget(window);
}

bool MemoryWindowSystem::WindowExists(WindowHandle window) const {
  Lock lock(mutex_);
  return windows_.contains(window.value);
}

template <typename Value>
Value MemoryWindowSystem::WindowState(WindowHandle window, Value Window::*field) const {
  Lock lock(mutex_);
  auto found = windows_.find(window.value);
  return found == windows_.end() ? Value{} : found->second.*field;
}

template <typename Value>
void MemoryWindowSystem::ChangeWindowState(WindowHandle window, Value Window::*field,
                                           Value value) {
  if (SentFromWorker([&] { ChangeWindowState(window, field, value); })) return;
  Lock lock(mutex_);
  if (auto found = windows_.find(window.value); found != windows_.end()) {
    found->second.*field = value;
  }
}

Rect MemoryWindowSystem::WindowBounds(WindowHandle window) const {
  return WindowState(window, &Window::bounds);
}

void MemoryWindowSystem::SetWindowBounds(WindowHandle window, Rect bounds) {
  if (SentFromWorker([&] { SetWindowBounds(window, bounds); })) return;
  ChangeWindowState(window, &Window::bounds, bounds);
  FollowMonitorDpi(window);
}

void MemoryWindowSystem::FollowMonitorDpi(WindowHandle window) {
  int dpi = 0;
  Rect suggested;
  {
    Lock lock(mutex_);
    auto found = windows_.find(window.value);
    if (found == windows_.end() || monitorDpis_.empty() || monitorDpis_.size() != monitors_.size()) {
      return;
    }
    const Rect bounds = found->second.bounds;
    const Rect monitor = NearestMonitor(bounds, monitors_);
    for (std::size_t i = 0; i < monitors_.size(); ++i) {
      if (monitors_[i] == monitor) dpi = monitorDpis_[i];
    }
    const int before = found->second.layout.Dpi();
    if (dpi <= 0 || dpi == before) return;
    suggested = {bounds.left, bounds.top, bounds.width * dpi / before,
                 bounds.height * dpi / before};
  }
  ChangeWindowDpi(window, dpi, suggested);
}

bool MemoryWindowSystem::IsWindowVisible(WindowHandle window) const {
  return WindowState(window, &Window::visible);
}

void MemoryWindowSystem::ShowWindow(WindowHandle window, bool visible) {
  if (SentFromWorker([&] { ShowWindow(window, visible); })) return;
  Lock lock(mutex_);
  if (windows_.contains(window.value)) ShowWindowLocked(window.value, visible);
}

void MemoryWindowSystem::ShowWindowLocked(std::uintptr_t id, bool visible) {
  Window& window = windows_.at(id);
  window.visible = visible;
  if (visible && window.pendingFocus != 0 && controls_.contains(window.pendingFocus)) {
    focus_ = window.pendingFocus;
  }
  window.pendingFocus = 0;
  if (visible && window.layout.Window().activatesWhenShown) {
    active_ = id;
    RaiseLocked(id);
  }
}

void MemoryWindowSystem::RaiseLocked(std::uintptr_t window) {
  auto found = std::find_if(zOrder_.begin(), zOrder_.end(),
                            [&](const Stacked& entry) { return entry.id == window; });
  if (found == zOrder_.end()) return;
  const Stacked raised = *found;
  zOrder_.erase(found);
  const auto top = raised.topmost ? zOrder_.begin()
                                  : std::find_if(zOrder_.begin(), zOrder_.end(),
                                                 [](const Stacked& entry) { return !entry.topmost; });
  zOrder_.insert(top, raised);
}

void MemoryWindowSystem::KeepAboveOtherPrograms(WindowHandle window) {
  Lock lock(mutex_);
  bool otherAbove = false;
  for (Stacked& entry : zOrder_) {
    if (entry.id == window.value) {
      if (!otherAbove) return;
      entry.topmost = true;  // without activation: the active window stays active
      RaiseLocked(window.value);
      return;
    }
    otherAbove = otherAbove || !entry.ours;
  }
}

std::vector<WindowHandle> MemoryWindowSystem::ZOrder() const {
  Lock lock(mutex_);
  std::vector<WindowHandle> order;
  for (const Stacked& entry : zOrder_) order.push_back(WindowHandle{entry.id});
  return order;
}

bool MemoryWindowSystem::IsTopmost(WindowHandle window) const {
  Lock lock(mutex_);
  return std::any_of(zOrder_.begin(), zOrder_.end(), [&](const Stacked& entry) {
    return entry.id == window.value && entry.topmost;
  });
}

WindowHandle MemoryWindowSystem::ActiveWindow() const {
  Lock lock(mutex_);
  return WindowHandle{active_};
}

WindowHandle MemoryWindowSystem::OpenOtherProgramWindow(bool topmost) {
  Lock lock(mutex_);
  const std::uintptr_t id = nextId_++;
  zOrder_.push_back({id, topmost, false});
  RaiseLocked(id);
  active_ = id;
  return WindowHandle{id};
}

void MemoryWindowSystem::Activate(WindowHandle window) {
  Lock lock(mutex_);
  active_ = window.value;
  RaiseLocked(window.value);
}

bool MemoryWindowSystem::IsWindowEnabled(WindowHandle window) const {
  return WindowState(window, &Window::enabled);
}

void MemoryWindowSystem::EnableWindow(WindowHandle window, bool enabled) {
  ChangeWindowState(window, &Window::enabled, enabled);
}

Size MemoryWindowSystem::ScreenSize() const {
  Lock lock(mutex_);
  return screen_;
}

int MemoryWindowSystem::ScreenDpi() const {
  Lock lock(mutex_);
  return dpi_;
}

int MemoryWindowSystem::WindowDpi(WindowHandle window) const {
  Lock lock(mutex_);
  auto found = windows_.find(window.value);
  return found == windows_.end() ? dpi_ : found->second.layout.Dpi();
}

std::vector<Rect> MemoryWindowSystem::MonitorRects() const {
  Lock lock(mutex_);
  if (monitors_.empty()) return {{0, 0, screen_.width, screen_.height}};
  return monitors_;
}

std::optional<Picture> MemoryWindowSystem::PictureOf(const ControlSpec& control, int dpi) const {
  if (control.kind != ControlKind::Button && control.kind != ControlKind::PicBox) return {};
  return PictureForDpi(control.picture, dpi);
}

ControlHandle MemoryWindowSystem::FindControl(WindowHandle window, std::string_view name) const {
  Lock lock(mutex_);
  auto found = windows_.find(window.value);
  if (found == windows_.end()) return {};
  for (std::uintptr_t id : found->second.controls) {
    if (controls_.at(id).layout->name == name) return ControlHandle{id};
  }
  return {};
}

const MemoryWindowSystem::Control& MemoryWindowSystem::ControlLocked(ControlHandle control) const {
  auto found = controls_.find(control.value);
  if (found == controls_.end()) throw std::out_of_range("no such control");
  return found->second;
}

std::string MemoryWindowSystem::ControlText(ControlHandle control) const {
  std::string sentText;
  if (SentFromWorker([&] { sentText = ControlText(control); })) return sentText;
  Lock lock(mutex_);
  auto found = controls_.find(control.value);
  return found == controls_.end() ? std::string() : found->second.text;
}

void MemoryWindowSystem::SetControlText(ControlHandle control, std::string_view text) {
  if (SentFromWorker([&] { SetControlText(control, text); })) return;
  ReplaceText(control, std::string(text));
}

void MemoryWindowSystem::ReplaceText(ControlHandle control, std::string text) {
  std::uintptr_t window = 0;
  std::string_view name;
  {
    Lock lock(mutex_);
    auto found = controls_.find(control.value);
    if (found == controls_.end()) return;
    found->second.text = std::move(text);
    if (found->second.layout->kind != ControlKind::EditBox) return;
    window = found->second.window;
    name = found->second.layout->name;
  }
  Fire(window, name, UiEvent::TextChanged);
}

Colour MemoryWindowSystem::ControlColour(ControlHandle control) const {
  Lock lock(mutex_);
  auto found = controls_.find(control.value);
  return found == controls_.end() ? 0 : found->second.colour;
}

void MemoryWindowSystem::SetControlColour(ControlHandle control, Colour colour) {
  Lock lock(mutex_);
  if (auto found = controls_.find(control.value); found != controls_.end()) {
    found->second.colour = colour;
  }
}

void MemoryWindowSystem::SetFocus(ControlHandle control) {
  Lock lock(mutex_);
  const auto found = controls_.find(control.value);
  if (found == controls_.end()) return;
  // A hidden window cannot take the focus yet: it gets it when it shows.
  if (Window& window = windows_.at(found->second.window); !window.visible) {
    window.pendingFocus = control.value;
    return;
  }
  focus_ = control.value;
}

bool MemoryWindowSystem::ShowsPicture(ControlHandle control) const {
  Lock lock(mutex_);
  auto found = controls_.find(control.value);
  return found != controls_.end() && found->second.picture.has_value();
}

std::optional<Picture> MemoryWindowSystem::ShownPicture(ControlHandle control) const {
  Lock lock(mutex_);
  auto found = controls_.find(control.value);
  return found == controls_.end() ? std::nullopt : found->second.picture;
}

void MemoryWindowSystem::RunMessageLoop() {
  while (true) {
    HandleSentCalls();
    std::function<void()> task;
    {
      Lock lock(mutex_);
      if (quit_) {
        quit_ = false;
        return;
      }
      // Nothing left to happen: in memory there is no user to wait for.
      if (posted_.empty() && sent_.empty()) return;
      if (posted_.empty()) continue;
      task = std::move(posted_.front());
      posted_.pop_front();
    }
    task();
  }
}

void MemoryWindowSystem::PumpPendingMessages() {
  // Sent calls go first, as the system hands them over before any posted message.
  HandleSentCalls();
  if (scheduler_ != nullptr) scheduler_->FireDueTimers();
  std::deque<std::function<void()>> pending;
  {
    Lock lock(mutex_);
    pending.swap(posted_);
  }
  for (auto& task : pending) task();
  HandleSentCalls();
}

void MemoryWindowSystem::Post(std::function<void()> task) {
  Lock lock(mutex_);
  posted_.push_back(std::move(task));
}

void MemoryWindowSystem::EndSession() {
  for (const WindowHandle window : Windows()) Fire(window.value, {}, UiEvent::SessionEnding);
}

void MemoryWindowSystem::SetScreenSize(Size screen) {
  Lock lock(mutex_);
  screen_ = screen;
}

void MemoryWindowSystem::SetScreenDpi(int dpi) {
  Lock lock(mutex_);
  dpi_ = dpi;
}

void MemoryWindowSystem::ChangeResolution(Size screen) {
  {
    Lock lock(mutex_);
    screen_ = screen;
    if (!monitors_.empty()) monitors_.front() = {0, 0, screen.width, screen.height};
  }
  FireEverywhere(UiEvent::ScreenChanged);
}

void MemoryWindowSystem::ChangeMonitors(std::vector<Rect> monitors, std::vector<int> dpis) {
  {
    Lock lock(mutex_);
    monitors_ = std::move(monitors);
    monitorDpis_ = std::move(dpis);
    if (!monitors_.empty()) screen_ = {monitors_.front().width, monitors_.front().height};
  }
  FireEverywhere(UiEvent::ScreenChanged);
}

void MemoryWindowSystem::ChangeWorkArea() { FireEverywhere(UiEvent::ScreenChanged); }

void MemoryWindowSystem::ChangeWindowDpi(WindowHandle window, int dpi, Rect suggested) {
  {
    Lock lock(mutex_);
    auto found = windows_.find(window.value);
    if (found == windows_.end()) return;
    // The rows stay where they are, so the controls still point at theirs.
    found->second.layout.Rescale(dpi);
    for (std::uintptr_t id : found->second.controls) {
      Control& control = controls_.at(id);
      control.picture = PictureOf(*control.layout, dpi);
    }
    found->second.bounds = suggested;
  }
  Fire(window.value, {}, UiEvent::DpiChanged);
}

void MemoryWindowSystem::FireEverywhere(UiEvent event) {
  for (WindowHandle window : Windows()) Fire(window.value, {}, event);
}

// The handler is copied out under the lock and runs without it: it may call back in, and it
// may destroy its own window.
void MemoryWindowSystem::Fire(std::uintptr_t window, std::string_view control, UiEvent event) {
  std::function<void()> handler;
  {
    Lock lock(mutex_);
    if (auto found = windows_.find(window); found != windows_.end()) {
      handler = found->second.events.HandlerFor(control, event);
    }
  }
  if (handler) handler();
}

bool MemoryWindowSystem::ControlVisibleLocked(const Control& control, Rect* inWindow) const {
  const Window& window = windows_.at(control.window);
  if (!window.visible || !control.layout->visible) return false;
  Rect rect = control.layout->rect;
  for (std::string_view parent = control.layout->parent; !parent.empty();) {
    const ControlSpec* container = nullptr;
    for (const ControlSpec& layout : window.layout.Window().controls) {
      if (layout.name == parent) container = &layout;
    }
    if (container == nullptr || !container->visible) return false;
    rect.left += container->rect.left;
    rect.top += container->rect.top;
    parent = container->parent;
  }
  if (inWindow != nullptr) *inWindow = rect;
  return true;
}

bool MemoryWindowSystem::ControlShownLocked(const Control& control) const {
  Rect rect;
  if (!ControlVisibleLocked(control, &rect)) return false;
  // A user sees it only if some part lies inside the window (the outer size: these frames
  // are thin enough not to matter here).
  const Rect& bounds = windows_.at(control.window).bounds;
  return rect.left < bounds.width && rect.top < bounds.height && rect.left + rect.width > 0 &&
         rect.top + rect.height > 0;
}

bool MemoryWindowSystem::IsControlShown(ControlHandle control) const {
  Lock lock(mutex_);
  auto found = controls_.find(control.value);
  return found != controls_.end() && ControlShownLocked(found->second);
}

Rect MemoryWindowSystem::ControlRect(ControlHandle control) const {
  Lock lock(mutex_);
  return ControlLocked(control).layout->rect;
}

const ControlSpec& MemoryWindowSystem::ControlSpecOf(ControlHandle control) const {
  Lock lock(mutex_);
  return *ControlLocked(control).layout;
}

std::vector<WindowHandle> MemoryWindowSystem::Windows() const {
  Lock lock(mutex_);
  std::vector<WindowHandle> result;
  for (const auto& [id, window] : windows_) result.push_back(WindowHandle{id});
  return result;
}

ControlHandle MemoryWindowSystem::FocusedControl() const {
  Lock lock(mutex_);
  return ControlHandle{focus_};
}

void MemoryWindowSystem::Click(ControlHandle control) {
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

void MemoryWindowSystem::Type(ControlHandle control, std::string_view text) {
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

void MemoryWindowSystem::Paste(ControlHandle control, std::string_view text) {
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

void MemoryWindowSystem::RequestClose(WindowHandle window) {
  if (!WindowExists(window)) return;
  Fire(window.value, {}, UiEvent::CloseRequested);
  DestroyWindow(window);
}

void MemoryWindowSystem::Drag(WindowHandle window, Point to) {
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

void MemoryWindowSystem::PressEscape(WindowHandle window) {
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
void MemoryWindowSystem::PressTab(bool backwards) {
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

}  // namespace zorvane::memory
