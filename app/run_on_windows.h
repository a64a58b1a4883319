// The whole Windows program on the real platform: what the process entry runs.
#pragma once

namespace zorvane {

// Builds the Win32 platform, runs the program to its end and returns its exit code.
int RunOnWindows();

}  // namespace zorvane
