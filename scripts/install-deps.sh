#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those that
# are missing, so a second run costs nothing. Needs root (or sudo) when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth openbox xdotool x11-utils imagemagick python3
  dpkg-dev desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
