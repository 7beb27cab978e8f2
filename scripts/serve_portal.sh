#!/usr/bin/env bash
# Serves the portal pages of a runnable tree (TREE/Portal) on the loopback host the launcher
# was built for, in the foreground until stopped.
# Usage: serve_portal.sh [TREE] [HOST:PORT]   (defaults: build/Vestrune, 127.0.0.1:8148, the
# default of the build setting VESTRUNE_PORTAL_HOST)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-$root/build/Vestrune}
address=${2:-127.0.0.1:8148}
host=${address%:*}
port=${address##*:}
[ -d "$tree/Portal" ] || { echo "serve_portal: no Portal folder in $tree" >&2; exit 1; }
exec python3 -m http.server "$port" --bind "$host" --directory "$tree/Portal"
