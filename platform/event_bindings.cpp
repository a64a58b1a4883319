#include "platform/event_bindings.h"

#include <exception>
#include <string>
#include <utility>

#include "platform/ignored_failure.h"

namespace zorvane {

EventBindings::EventBindings(std::vector<EventBinding> bindings) : bindings_(std::move(bindings)) {}

std::function<void()> EventBindings::HandlerFor(std::string_view control, UiEvent event) const {
  // A window on its way out takes no more events but this one.
  if (destroying_ && event != UiEvent::AboutToBeDestroyed) return {};
  for (const EventBinding& binding : bindings_) {
    if (binding.event == event && binding.control == control && binding.handler) {
      // Nothing a handler throws may leave it: it would end the program from inside the
      // window system. The handler stops there, and the program goes on as it stands; the
      // handlers leave a sound state at every point where something may throw (the
      // settings, for one, hold their defaults before the file is read).
      return [handler = binding.handler] {
        try {
          handler();
        } catch (const std::exception& error) {
          TraceIgnoredFailure(std::string("a handler stopped early: ") + error.what());
        } catch (...) {
          TraceIgnoredFailure("a handler stopped early");
        }
      };
    }
  }
  return {};
}

}  // namespace zorvane
