#!/usr/bin/env bash
# Set-up and build, then play: the launcher (with its portal page served on loopback) on a
# display; without a display, the game runs under Xvfb for a short while and its screenshots
# are saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
tree=$root/build/Vestrune

play_on_display() {
  "$root/scripts/serve_portal.sh" "$tree" >/dev/null 2>&1 &
  local server=$!
  trap 'kill $server 2>/dev/null || true' EXIT
  (cd "$tree" && ./launcher)
  # The launcher has started the game (or not) and ended; keep the portal up while it runs.
  while pgrep -x Vestrune >/dev/null; do sleep 1; done
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
