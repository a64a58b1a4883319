#include "countdown/time_entry.h"

#include "core/fractional.h"
#include "core/text_to_integer.h"

namespace zorvane {

namespace {
constexpr std::int32_t kLargestEntry = 59;
}

void ClampEntry(WindowSystem& ui, ControlHandle box) {
  // Writing the text fires the change event once more; "59" passes.
  if (TextToInteger(ui.ControlText(box)) > kLargestEntry) ui.SetControlText(box, "59");
}

std::int32_t EnteredTotal(const WindowSystem& ui, ControlHandle minutes, ControlHandle seconds) {
  const double total = static_cast<double>(TextToInteger(ui.ControlText(minutes))) * 60.0 +
                       static_cast<double>(TextToInteger(ui.ControlText(seconds)));
  return TruncateToInt(total);
}

}  // namespace zorvane
