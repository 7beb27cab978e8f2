#!/usr/bin/env bash
# End to end: the game program in a fresh copy of the runnable tree, on the X display of the
# test run. First start writes the default Game.ini; a start with "Debug out" = 1 writes
# debug.txt; closing the window ends the program with code 0.
# Usage: game_start_and_close.sh <tree> <close_window tool> <screenshot folder>
set -euo pipefail
tree=$1 close_window=$2 shots=$3
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$tree" "$scratch/tree"
cd "$scratch/tree"
# A fresh install: what a game played in the build tree wrote there is not part of it.
rm -rf Game.ini Save debug.txt play.url
mkdir -p "$scratch/runtime" "$shots"
export XDG_RUNTIME_DIR=$scratch/runtime SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null

fail() { echo "FAIL: $*"; [ -f debug.txt ] && { echo "--- debug.txt"; cat debug.txt; }; exit 1; }

# Starts the game, waits for its window, takes a screenshot, closes it; echoes the exit code.
run_once() {
  local shot=$1
  ./Data/Vestrune >"$scratch/game.log" 2>&1 &
  local pid=$!
  for _ in $(seq 100); do
    xdotool search --name '^Vestrune$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  import -window root "$shots/$shot" 2>/dev/null || true
  "$close_window" Vestrune || { kill "$pid"; fail "no window named Vestrune"; }
  local code=0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { kill -9 "$pid"; fail "the game did not end after its window was closed"; }
  wait "$pid" || code=$?
  echo "$code"
}

code=$(run_once first-start.png)
[ "$code" = 0 ] || fail "first start ended with code $code"
grep -q '^Act01=38' Game.ini && grep -q '^Master=100' Game.ini || fail "first start did not write the default settings"
[ ! -e debug.txt ] || fail "debug.txt written with debug output off"

printf '[Misc]\nDebug out=1\n' >> Game.ini
sed -i 's/^\[Video\]$/[Video]\nWindowed=1/' Game.ini
code=$(run_once debug-start.png)
[ "$code" = 0 ] || fail "second start ended with code $code"
[ -e debug.txt ] || fail "no debug.txt with Debug out = 1"
grep -q '^Windowed=1' Game.ini || fail "the hand-set Windowed line was lost"
echo "ok: first start, debug start and close; screenshots in $shots"
