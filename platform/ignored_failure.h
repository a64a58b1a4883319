// Failures the program lets pass by design (a window that could not be made, a control
// missing from one, settings that could not be saved) leave a short line for whoever
// looks: a debugger, or the tests, which fail on a line they did not expect. The user sees
// nothing of it. Where the line goes is set once at start-up; until then it goes nowhere.
#pragma once

#include <string_view>

namespace zorvane {

using IgnoredFailureSink = void (*)(std::string_view reason);

void SetIgnoredFailureSink(IgnoredFailureSink sink);

// From any thread.
void TraceIgnoredFailure(std::string_view reason);

}  // namespace zorvane
