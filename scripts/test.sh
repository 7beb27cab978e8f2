#!/usr/bin/env bash
# Set-up, build, the fuzz targets for a fixed number of runs, the benchmarks briefly, the start-up
# times once, then every test (headless), and every test once more in a build with the sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
"$root/scripts/fuzz.sh"
"$root/scripts/bench.sh"

# Where start-up time goes, for one start after the first; kept beside the benchmark figures.
xvfb-run -a -s "-screen 0 1024x768x24" \
  "$root/scripts/startup_times.sh" "$root/build/Vestrune" "$root/build/tests/e2e/close_window" 1 |
  tee "$root/build/startup_times.txt"

# Programs that need a display (the launcher, end-to-end runs) find one in this Xvfb.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)" --timeout 600

"$root/scripts/test-sanitized.sh"
