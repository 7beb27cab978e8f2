#!/usr/bin/env bash
# Set-up and build, then play: the launcher (with its portal page served on loopback) on a
# display; without a display, the game runs under Xvfb for a short while and its screenshots
# are saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
tree=$root/build/Vestrune

# Ids of this user's running games started from this tree's game program.
games_of_this_tree() {
  local game pid
  game=$(readlink -f "$tree/Data/Vestrune")
  for pid in $(pgrep -u "$(id -u)" -x Vestrune || true); do
    if [ "$(readlink -f "/proc/$pid/exe" 2>/dev/null)" = "$game" ]; then echo "$pid"; fi
  done
}

play_on_display() {
  "$root/scripts/serve_portal.sh" "$tree" >/dev/null 2>&1 &
  local server=$!
  trap 'kill $server 2>/dev/null || true' EXIT
  local before pid started=""
  before=" $(games_of_this_tree | tr '\n' ' ')"
  (cd "$tree" && ./launcher)
  # The launcher has started the game (or not) and ended without waiting for it; keep the
  # portal up while the game it started runs.
  for pid in $(games_of_this_tree); do
    case "$before" in *" $pid "*) ;; *) started="$started $pid" ;; esac
  done
  for pid in $started; do
    while kill -0 "$pid" 2>/dev/null; do sleep 1; done
  done
}

play_headless() {
  local shots=$root/build/screenshots/play seconds=${PLAY_SECONDS:-16}
  mkdir -p "$shots"
  rm -f "$shots"/*.png
  echo "No display: running the game under Xvfb, with the autoplay race for $seconds s."
  xvfb-run -a -s "-screen 0 1024x768x24" \
    "$root/scripts/play_headless.sh" "$tree" "$shots" "$seconds" "$root/build/tests/e2e/close_window"
  echo "Screenshots of what the game showed: $shots"
  ls "$shots"
}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && { [ -n "${WAYLAND_DISPLAY:-}" ] || xdpyinfo >/dev/null 2>&1; }; then
  play_on_display
else
  play_headless
fi
