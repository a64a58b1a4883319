#include "platform/event_bindings.h"

#include <utility>

namespace zorvane {

EventBindings::EventBindings(std::vector<EventBinding> bindings) : bindings_(std::move(bindings)) {}

std::function<void()> EventBindings::HandlerFor(std::string_view control, UiEvent event) const {
  // A window on its way out takes no more events but this one.
  if (destroying_ && event != UiEvent::AboutToBeDestroyed) return {};
  for (const EventBinding& binding : bindings_) {
    if (binding.event == event && binding.control == control) return binding.handler;
  }
  return {};
}

}  // namespace zorvane
