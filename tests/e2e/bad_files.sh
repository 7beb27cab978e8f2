#!/usr/bin/env bash
# End to end: the game started over settings and save files a player may have (special files,
# other line ends, a byte-order mark, links, damaged profiles), one case a fresh copy of the tree.
# Each case must reach its menu page, close with code 0 and leave the file as the case says.
# Last, the game is killed while one of its message boxes is open: the box must end with it.
# Usage: bad_files.sh <tree> <close_window tool> <screenshot folder>
set -euo pipefail
tree=$1 close_window=$2 shots=$3
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped"; exit 77; }

scratch=$(mktemp -d)
game=
cleanup() { [ -n "$game" ] && kill -9 "$game" 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT
mkdir -p "$shots"
export SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null

fail() { echo "FAIL ($case): $*"; echo "--- game output"; tail -n 30 "$scratch/game.log"; exit 1; }
source "$(dirname "$0")/window_probes.sh"
cream='255,255,204'
# The page's cream title: "SELECT PROFILE:" on the profile page, "ENTER YOUR NAME:" on name entry.
on_page() {
    case $1 in
        profiles) shows "$cream" 480 190 720 210 ;;
        name) shows "$cream" 480 290 720 310 ;;
    esac
}

launch() {
    XDG_RUNTIME_DIR=$scratch/runtime ./Data/Vestrune >"$scratch/game.log" 2>&1 &
    game=$!
}
window_up_or_ended() { window_up || ended; }

# Starts the game in a fresh tree after the case's set-up, skips the splash and waits for the
# page the case expects.
start() {
    local page=$1
    rm -rf "$scratch/tree" "$scratch/runtime"
    cp -r "$tree" "$scratch/tree"
    mkdir -p "$scratch/runtime"
    cd "$scratch/tree"
    rm -rf Game.ini Save debug.txt play.url
    "setup_$case"
    # Now and then the X server turns the game's display connection away at start-up ("x11 not
    # available"); that start is tried again, up to three times in all.
    local tries=3
    until launch && wait_for 20 window_up_or_ended && window_up; do
        grep -q 'x11 not available' "$scratch/game.log" && ((--tries > 0)) || fail "no window named Vestrune"
        wait "$game" || true
    done
    eval "$(xdotool getwindowgeometry --shell "$window")"
    width=$WIDTH height=$HEIGHT
    sleep 1
    xdotool key --window "$window" Return
    wait_for 40 on_page "$page" || { import -window root "$shots/$case.png" 2>/dev/null; fail "the $page page did not come up"; }
    import -window root "$shots/$case.png" 2>/dev/null || true
}

close() {
    "$close_window" Vestrune || fail "no window to close"
    wait_for 10 ended || fail "the game did not end after its window was closed"
    local code=0
    wait "$game" || code=$?
    game=
    [ "$code" = 0 ] || fail "the game ended with code $code"
}

setup_fifo_ini() { mkfifo Game.ini; }
check_fifo_ini() { [ -p Game.ini ]; }

setup_device_ini() { ln -s /dev/zero Game.ini; }
check_device_ini() { [ "$(readlink Game.ini)" = /dev/zero ]; }

setup_cr_ini() { printf '[Video]\rWindowed=1\rMode=100\r[Misc]\rDebug out=0\r[Controls]\rAct01=87\r' >Game.ini; }
check_cr_ini() {
    [ "$(tr -cd '\n' <Game.ini | wc -c)" = 0 ] && [ "$(tr '\r' '\n' <Game.ini | grep -c '^\[Video\]$')" = 1 ] &&
        tr '\r' '\n' <Game.ini | grep -qx 'Windowed=1' && tr '\r' '\n' <Game.ini | grep -qx 'Act01=87'
}

setup_bom_ini() { printf '\xEF\xBB\xBF[Video]\nWindowed=1\n[Controls]\nAct01=87\n' >Game.ini; }
check_bom_ini() {
    [ "$(head -c 3 Game.ini | od -An -tx1 | tr -d ' ')" = efbbbf ] && [ "$(grep -c '\[Video\]' Game.ini)" = 1 ] &&
        grep -qx 'Windowed=1' Game.ini && grep -qx 'Act01=87' Game.ini
}

setup_linked_ini() { mkdir settings && printf '[Controls]\nAct01=87\n' >settings/Game.ini && ln -s settings/Game.ini Game.ini; }
# The first start writes the defaults: through the link, keeping the hand-set key.
check_linked_ini() { [ -L Game.ini ] && grep -qx 'Master=100' settings/Game.ini && grep -qx 'Act01=87' settings/Game.ini; }

setup_fifo_profile() { mkdir Save && mkfifo Save/Profile01.sav; }
check_fifo_profile() { [ -p Save/Profile01.sav ]; }

setup_damaged_profile() { mkdir Save && printf 'broken' >Save/Profile01.sav; }
check_damaged_profile() { [ "$(cat Save/Profile01.sav)" = broken ]; }

cases=(
    "fifo_ini name"
    "device_ini name"
    "cr_ini name"
    "bom_ini name"
    "linked_ini name"
    "fifo_profile profiles"
    "damaged_profile profiles"
)
for entry in "${cases[@]}"; do
    read -r case page <<<"$entry"
    start "$page"
    close
    "check_$case" || fail "the file was not left as it should be"
    echo "ok: $case"
done

# A message box open: "Save" is a file, so creating the first profile fails with a box. Killing
# the game must end the box's process too and take the game's window off the display, and the
# file stays.
case=box_on_kill
setup_box_on_kill() { printf 'not a folder' >Save; }
start name
xdotool mousemove --window "$window" $((600 * width / 800)) $((500 * height / 600))
sleep 0.3
xdotool mousedown 1; sleep 0.1; xdotool mouseup 1
box_process() { box=$(pgrep -P "$game" | head -1); [ -n "$box" ]; }
wait_for 10 box_process || fail "no message box process after the failed profile creation"
kill -9 "$game"
wait "$game" 2>/dev/null || true
game=
box_gone() { ! kill -0 "$box" 2>/dev/null; }
wait_for 5 box_gone || { kill -9 "$box"; fail "the message box outlived the game"; }
window_gone() { ! window_up; }
wait_for 5 window_gone || fail "the game's window stayed on the display"
[ "$(cat Save)" = 'not a folder' ] || fail "Save was changed"
echo "ok: $case"
echo "ok: every bad file case; screenshots in $shots"
