// How a fuzz target reports a broken property: it names the property on stderr and stops
// the process with a trap, which libFuzzer records as a crash and saves the input for.
#pragma once

#include <cstdio>

namespace zorvane::fuzz {

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "Broken property: %s\n", property);
  __builtin_trap();
}

}  // namespace zorvane::fuzz
