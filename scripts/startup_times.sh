#!/usr/bin/env bash
# Where start-up time goes: starts the game in a fresh copy of the tree on the current (virtual)
# X display with the debug log on, waits for its first menu frame, closes it and prints the
# "Start-up" lines of debug.txt (milliseconds since the process started, per step). Repeats
# <runs> times (default 3).
# Usage: startup_times.sh <tree> <close_window tool> [runs]
set -euo pipefail
tree=$1 close_window=$2 runs=${3:-3}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$tree" "$scratch/tree"
cd "$scratch/tree"
rm -rf Game.ini Save debug.txt play.url
mkdir "$scratch/runtime"
export XDG_RUNTIME_DIR=$scratch/runtime SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null

# Runs the game until debug.txt holds the given line (at most 30 s), then closes it.
run_until() {
  rm -f debug.txt
  ./Data/Vestrune >/dev/null 2>&1 &
  local game=$!
  for _ in $(seq 300); do grep -q "$1" debug.txt 2>/dev/null && break; sleep 0.1; done
  "$close_window" Vestrune >/dev/null 2>&1 || kill "$game"
  wait "$game" || true
}

# A first start writes the default settings; the debug log is switched on after it.
run_until "first menu frame"
printf '[Misc]\nDebug out=1\n' >>Game.ini
for run in $(seq "$runs"); do
  echo "run $run"
  run_until "first menu frame"
  grep "Start-up" debug.txt
done
