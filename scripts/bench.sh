#!/usr/bin/env bash
# Benchmarks of the Windows program under Wine (not tests: they print figures).
#
#   scripts/bench.sh                  the release tables: start-up (and where it goes) and
#                                     memory against a minimal Win32 program and against
#                                     one with Zorvane's windows alone, CPU by phase
#                                     of a countdown, redraw, tick drift, the latency of
#                                     stop (~6 min)
#   scripts/bench.sh startup          only the start-up and memory rows of those tables
#                                     (~1 min)
#   scripts/bench.sh countdown M S    a whole countdown of M:S (59 59 takes an hour) and
#                                     whether it ended on time
#   scripts/bench.sh loaded [N]       the last 30 s of N countdowns (3 unless told) on a
#                                     quiet machine and with both cores busy: broken
#                                     clicks, the alarm's delay, late seconds (~5 min)
#
# ZORVANE_BUILD names another build folder than build/win32 (one's own, beside others').
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVANE_BUILD:-$root/build/win32}
"$root/scripts/ensure-deps.sh"

cmake -S "$root" -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build "$build" --target release_zip zdriver minimal_window same_windows draw_bench sound_latency_bench

# What ships is measured: Zorvane.exe inside the release zip, stripped when it was packed;
# the programs it is set against are stripped by the same tool before they are measured.
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
release_zip=$build/Zorvane-$(cache_value CMAKE_PROJECT_VERSION)-win32.zip

state=$build/wine-bench-${1:-table}  # one Wine environment for each kind of run
trap '"$root/scripts/wine-env.sh" stop "$state"' EXIT
"$root/scripts/wine-env.sh" start "$state"
export ZORVANE_WINE_STATE=$state ZORVANE_RELEASE_ZIP=$release_zip \
  ZORVANE_STRIP="$(cache_value CMAKE_STRIP)" ZORVANE_BENCH_DIR=$build/bench \
  ZORVANE_DRIVER=$build/tests/e2e/zdriver.exe \
  ZORVANE_MINIMAL_EXE=$build/tests/bench/minimal_window.exe \
  ZORVANE_SAME_WINDOWS_EXE=$build/tests/bench/same_windows.exe \
  ZORVANE_DRAW_BENCH=$build/tests/bench/draw_bench.exe \
  ZORVANE_SOUND_BENCH=$build/tests/bench/sound_latency_bench.exe PYTHONDONTWRITEBYTECODE=1

if [ "${1:-}" = countdown ]; then
  shift
  python3 "$root/tests/bench/countdown_bench.py" "$@"
elif [ "${1:-}" = loaded ]; then
  shift
  python3 "$root/tests/bench/loaded_countdown.py" "$@"
elif [ "${1:-}" = startup ]; then
  python3 "$root/tests/bench/release_bench.py" --startup
else
  python3 "$root/tests/bench/release_bench.py"
fi
