#!/usr/bin/env bash
# Runs the game on the current (virtual) X display as a short demonstration, in a fresh copy of
# the tree as on a first start: skips the splash, creates the default player, starts the
# autoplay race, and saves a screenshot every 2 s.
# Usage: play_headless.sh <tree> <screenshot folder> <seconds> <close_window tool>
set -euo pipefail
tree=$1 shots=$2 seconds=$3 close_window=$4
scratch=$(mktemp -d)
cp -r "$tree" "$scratch/tree"
cd "$scratch/tree"
rm -rf Game.ini Save debug.txt play.url
mkdir "$scratch/runtime"
export XDG_RUNTIME_DIR=$scratch/runtime SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null
./Data/Vestrune &
game=$!
trap 'kill "$game" 2>/dev/null || true; rm -rf "$scratch"' EXIT

window=
for _ in $(seq 100); do
  window=$(xdotool search --name '^Vestrune$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the game opened no window"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
# A click at a point of the game's 800 x 600 virtual screen.
click() {
  xdotool mousemove --window "$window" $(($1 * WIDTH / 800)) $(($2 * HEIGHT / 600))
  sleep 0.3; xdotool mousedown 1; sleep 0.1; xdotool mouseup 1
}
shot=0
snapshot() {
  shot=$((shot + 1))
  import -window root "$shots/$(printf "%02d-%s.png" "$shot" "$1")" 2>/dev/null || true
}

sleep 2; snapshot splash
xdotool key --window "$window" Return
sleep 6; snapshot player
click 600 500   # DONE: the player "Player"
sleep 2; snapshot main-menu
click 600 440   # AUTOPLAY
for ((t = 2; t <= seconds; t += 2)); do
  sleep 2; snapshot "autoplay-$(printf %02d $t)s"
done
"$close_window" Vestrune || kill "$game"
wait "$game" || true
