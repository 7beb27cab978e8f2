#!/usr/bin/env bash
# Set-up, build, the fuzz targets for a fixed number of runs, the benchmarks briefly, then every
# test (headless), and every test once more in a build with the sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
"$root/scripts/fuzz.sh"
"$root/scripts/bench.sh"

# Programs that need a display (the launcher, end-to-end runs) find one in this Xvfb.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)" --timeout 600

"$root/scripts/test-sanitized.sh"
