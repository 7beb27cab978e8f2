#!/usr/bin/env bash
# End to end through the menu, as a player: skip the splash, create a player, start a quick race
# and leave it through the in-race menu, change an option, look at the best results, run the
# demonstration and end it, and end the game through EXIT GAME (code 0). Checks the profile file
# with the typed name, the option change and the master volume in Game.ini; screenshots of each step.
# Usage: menu_walk.sh <tree> <screenshot folder>
set -euo pipefail
tree=$1 shots=$2
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

scratch=$(mktemp -d)
game=
cleanup() { [ -n "$game" ] && kill -9 "$game" 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT
cp -r "$tree" "$scratch/tree"
cd "$scratch/tree"
rm -rf Game.ini Save debug.txt play.url
mkdir -p "$scratch/runtime" "$shots"
rm -f "$shots"/*.png
export XDG_RUNTIME_DIR=$scratch/runtime SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null

fail() { echo "FAIL: $*"; echo "--- game output"; tail -n 60 "$scratch/game.log"; exit 1; }
source "$(dirname "$0")/window_probes.sh"
shot() { import -window root "$shots/$1.png" 2>/dev/null || true; }
key() { xdotool key --window "$window" "$1"; sleep 0.3; }
# A click at a point of the 800 by 600 virtual screen, held long enough for a slow frame.
click() {
    xdotool mousemove --window "$window" $(($1 * width / 800)) $(($2 * height / 600))
    sleep 0.3
    xdotool mousedown 1; sleep 0.1; xdotool mouseup 1
    sleep 0.8
}
profile_has_name() { [ -f Save/Profile01.sav ] && [ "$(head -c 16 Save/Profile01.sav | tr -d '\0')" = "$1" ]; }
# The menu's orange (255, 128, 0), as page frames show it, and as idle orange buttons show it.
orange='2(4[0-9]|5[0-5]),1(1[0-9]|2[0-9]|3[0-9]),([0-9]|1[0-9])'
idle_orange='1(6[0-9]|70),(7[6-9]|8[0-8]),[0-5]'

./Data/Vestrune >"$scratch/game.log" 2>&1 &
game=$!
wait_for 10 window_up || fail "no window named Vestrune"
eval "$(xdotool getwindowgeometry --shell "$window")"
width=$WIDTH height=$HEIGHT
sleep 1
shot 01-splash
key Return
# The world loads after the splash; the name page's orange frame shows it is up.
wait_for 30 shows "$orange" 420 330 780 340 || fail "the create-player page did not come up"
shot 02-create-player

# Name entry: the default name away, a new one typed, DONE.
for _ in 1 2 3 4 5 6; do key BackSpace; done
xdotool type --window "$window" --delay 100 Walker
sleep 0.5
shot 03-name-typed
click 600 500
wait_for 5 profile_has_name Walker || fail "no Save/Profile01.sav holding the typed name"
shot 04-main-menu

# Quick race: START!, then Esc and EXIT RACE once it runs.
click 600 300
shot 05-quick-race
click 600 485
sleep 4
shot 06-race
# Esc opens the in-race menu once the race runs (its orange EXIT RACE caption).
for ((tries = 0; tries < 10; ++tries)); do
    key Escape
    wait_for 1 shows "$idle_orange" 320 255 480 285 && break
    sleep 1
done
((tries < 10)) || fail "Esc did not open the in-race menu"
shot 07-in-race-menu
click 400 270
sleep 1
shot 08-back-in-menu

# Options: Blur off and accept (only reachable from the main menu, so the race was left).
grep -q '^Blur=1' Game.ini || fail "Game.ini does not hold the default Blur=1"
click 600 370
click 600 370
click 590 400
shot 09-graphics
click 600 500
wait_for 3 grep -q '^Blur=0' Game.ini || fail "ACCEPT did not write Blur=0 to Game.ini"
# The fades of the menu and the race drove the master volume and left it where it was.
grep -q '^Master=100' Game.ini || fail "the fades left Master=$(sed -n 's/^Master=//p' Game.ini) in Game.ini"
click 600 540

# Best results, left with Esc; the demonstration, ended with Esc.
click 600 410
shot 10-best-results
key Escape
click 600 440
sleep 4
shot 11-autoplay
key Escape
sleep 1
shot 12-main-menu-again

click 600 540
wait_for 10 ended || fail "EXIT GAME did not end the program"
code=0
wait "$game" || code=$?
game=
[ "$code" = 0 ] || fail "EXIT GAME ended the program with code $code"
profile_has_name Walker || fail "Save/Profile01.sav lost the name"
echo "ok: menu walk through race, options, best results and autoplay; screenshots in $shots"
