#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, only those missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git python3
  libsdl2-dev libepoxy-dev libopenal-dev libbullet-dev libfreetype-dev libstb-dev
  libgtk-3-dev libwebkit2gtk-4.1-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  fonts-dejavu-core espeak-ng
  libx11-dev xvfb xauth xdotool x11-utils xdg-utils imagemagick libgl1-mesa-dri
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
