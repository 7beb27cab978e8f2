#!/usr/bin/env bash
# Runs every benchmark of the build briefly (headless), as a check that they run; for figures,
# run a benchmark binary alone with a longer --benchmark_min_time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
min_time=${BENCH_MIN_TIME:-0.01}
export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen} ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
for bench in "$root"/build/bench/*/*; do
  [ -f "$bench" ] && [ -x "$bench" ] || continue
  echo "bench: $(basename "$bench")"
  "$bench" --benchmark_min_time="$min_time" >"$root/build/$(basename "$bench").txt" 2>&1 ||
    { cat "$root/build/$(basename "$bench").txt"; exit 1; }
done
