#!/usr/bin/env bash
# Set-up, build, every test (headless), then the fuzz targets for a fixed number of runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

# Programs that need a display (the launcher, end-to-end runs) find one in this Xvfb.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)" --timeout 600

"$root/scripts/fuzz.sh"
