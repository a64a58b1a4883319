#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, a short fuzzing run of the
# settings code, then the Windows build's tests under Wine (the real backend, the program's
# imports, the end-to-end tests).
# Installs what is missing first. Extra arguments go to both ctest runs (for example
# -R TextToInteger to run matching tests only).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/ensure-deps.sh"

echo "== Native build and unit tests" >&2
cmake -S "$root" -B "$root/build/native" -G Ninja >/dev/null
cmake --build "$root/build/native"
ctest --test-dir "$root/build/native" --output-on-failure -j2 "$@"

echo "== Fuzzing the settings file's reader and writer and the number conversion (libFuzzer)" >&2
"$root/scripts/fuzz.sh"

echo "== The same tests with ThreadSanitizer (workers really racing the UI thread)" >&2
cmake -S "$root" -B "$root/build/native-tsan" -G Ninja -DZORVANE_SANITIZE=thread >/dev/null
cmake --build "$root/build/native-tsan" --target unit_tests contract_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --test-dir "$root/build/native-tsan" --output-on-failure -j2 "$@"

echo "== Windows build and tests under Wine" >&2
cmake -S "$root" -B "$root/build/win32" -G Ninja --no-warn-unused-cli \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build "$root/build/win32"
ctest --test-dir "$root/build/win32" --output-on-failure "$@"
