#!/usr/bin/env bash
# Builds the libFuzzer targets of the settings code with clang into build/fuzz and runs each
# for a bounded time (seconds, default 20), starting from the committed seed corpus copied
# into a working corpus under build/fuzz, which grows from run to run; the committed corpus
# is never written. Fails when a target finds a crash or a broken property; the input that
# did it is kept under build/fuzz/crashes/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build="$root/build/fuzz"
"$root/scripts/ensure-deps.sh"

cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2

for target in text_to_integer ini_document; do
  corpus="$build/corpus/$target"
  crashes="$build/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  cp -n "$root/tests/fuzz/corpus/$target"/* "$corpus/"
  echo "-- fuzz_$target for ${seconds}s" >&2
  if ! "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -dict="$root/tests/fuzz/$target.dict" -artifact_prefix="$crashes/" "$corpus" 2>"$build/$target.log"; then
    tail -n 60 "$build/$target.log" >&2
    echo "fuzz_$target failed; the input is in $crashes/" >&2
    exit 1
  fi
  grep -E '^(Done|stat::)|cov:' "$build/$target.log" | tail -n 8 >&2
done
