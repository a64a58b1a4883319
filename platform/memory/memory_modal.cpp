// Modal windows and message boxes in memory. There is no user to wait for: while one is
// open, the posted tasks run one after the other (a test posts what the user does before
// the click that opens it), and the call returns once the window or the box has gone.
#include "platform/memory/memory_window_system.h"

namespace zorvane::memory {
namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

// Runs its action when the scope ends, however it ends: the other windows get their
// enabled states back even when a test's task throws.
template <typename Action>
class AtScopeEnd {
 public:
  explicit AtScopeEnd(Action action) : action_(std::move(action)) {}
  ~AtScopeEnd() { action_(); }
  AtScopeEnd(const AtScopeEnd&) = delete;
  AtScopeEnd& operator=(const AtScopeEnd&) = delete;

 private:
  Action action_;
};

}  // namespace

std::map<std::uintptr_t, bool> MemoryWindowSystem::DisableAllBut(std::uintptr_t except) {
  Lock lock(mutex_);
  std::map<std::uintptr_t, bool> before;
  for (auto& [id, window] : windows_) {
    if (id == except) continue;
    before[id] = window.enabled;
    window.enabled = false;
  }
  return before;
}

void MemoryWindowSystem::RestoreEnabled(const std::map<std::uintptr_t, bool>& before) {
  Lock lock(mutex_);
  for (const auto& [id, enabled] : before) {
    if (auto found = windows_.find(id); found != windows_.end()) found->second.enabled = enabled;
  }
}

bool MemoryWindowSystem::RunPostedTasksWhile(const std::function<bool()>& open) {
  while (open()) {
    HandleSentCalls();  // a modal loop handles messages like any other
    std::function<void()> task;
    {
      Lock lock(mutex_);
      if (posted_.empty()) return false;
      task = std::move(posted_.front());
      posted_.pop_front();
    }
    task();
  }
  return true;
}

void MemoryWindowSystem::ShowModal(WindowHandle window) {
  if (!WindowExists(window)) return;
  ControlHandle focusBefore = FocusedControl();
  const std::map<std::uintptr_t, bool> before = DisableAllBut(window.value);
  AtScopeEnd restore([&] {
    RestoreEnabled(before);
    Lock lock(mutex_);
    // The focus goes back to where it was, as it does when a dialog ends.
    if (controls_.contains(focusBefore.value)) focus_ = focusBefore.value;
  });
  ShowWindow(window, true);
  if (RunPostedTasksWhile([&] { return WindowExists(window); })) return;
  DestroyWindow(window);
  throw UnansweredModal("a modal window was still open when no posted task was left");
}

void MemoryWindowSystem::ShowMessageBox(std::string_view title, std::string_view text) {
  std::size_t index = 0;
  {
    Lock lock(mutex_);
    messageBoxes_.push_back({std::string(title), std::string(text), true});
    index = messageBoxes_.size() - 1;
  }
  // Task-modal: every window of the program is disabled, the ones that were modal too.
  const std::map<std::uintptr_t, bool> before = DisableAllBut(0);
  AtScopeEnd restore([&] { RestoreEnabled(before); });
  const auto open = [&] {
    Lock lock(mutex_);
    return messageBoxes_[index].open;
  };
  if (RunPostedTasksWhile(open)) return;
  {
    Lock lock(mutex_);
    messageBoxes_[index].open = false;
  }
  throw UnansweredModal("a message box was still up when no posted task was left");
}

std::vector<MessageBoxRecord> MemoryWindowSystem::MessageBoxes() const {
  Lock lock(mutex_);
  return messageBoxes_;
}

bool MemoryWindowSystem::IsMessageBoxOpen() const {
  Lock lock(mutex_);
  for (const MessageBoxRecord& box : messageBoxes_) {
    if (box.open) return true;
  }
  return false;
}

WindowHandle MemoryWindowSystem::WindowByLayoutName(std::string_view layoutName) const {
  Lock lock(mutex_);
  for (const auto& [id, window] : windows_) {
    if (window.layout.Window().name == layoutName) return WindowHandle{id};
  }
  return {};
}

std::string_view MemoryWindowSystem::WindowTitle(WindowHandle window) const {
  Lock lock(mutex_);
  auto found = windows_.find(window.value);
  return found == windows_.end() ? std::string_view{} : found->second.layout.Window().title;
}

}  // namespace zorvane::memory
