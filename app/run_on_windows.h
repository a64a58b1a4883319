// The whole Windows program on the real platform: what the process entry runs.
#pragma once

namespace zorvane {

// Builds the Win32 platform, runs the program to its end and ends the process with its exit
// code, from inside the frame that owns the program and the platform: workers nobody waits
// for (a warning ticker asleep, a blink, a sound being handed over) are ended by the
// process's end while everything they can touch still exists.
[[noreturn]] void RunOnWindows();

}  // namespace zorvane
