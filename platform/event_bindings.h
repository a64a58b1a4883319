// The bindings of one window's events to their handlers, and the lookup by which both
// window systems dispatch an event: find the handler bound to the control and the event,
// then run it.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace zorvane {

class EventBindings {
 public:
  EventBindings() = default;
  explicit EventBindings(std::vector<EventBinding> bindings);

  // The handler bound to `event` of `control` (an empty name: of the window itself); an
  // empty function when there is none, or when the window is on its way out and the event
  // is not AboutToBeDestroyed. A copy: the caller runs it once it no longer relies on
  // whatever holds these bindings, since a handler may destroy its own window. Whatever the
  // handler throws ends in the copy: both window systems dispatch through it.
  std::function<void()> HandlerFor(std::string_view control, UiEvent event) const;

  // The window's destruction has begun (its AboutToBeDestroyed event is about to run):
  // from now on it takes no other event.
  void BeginDestruction() { destroying_ = true; }
  bool Destroying() const { return destroying_; }

 private:
  std::vector<EventBinding> bindings_;
  bool destroying_ = false;
};

}  // namespace zorvane
