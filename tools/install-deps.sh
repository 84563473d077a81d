#!/usr/bin/env bash
# Installs what building, running and testing Celestrix need on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake pkg-config python3
  qt6-base-dev libjpeg62-turbo-dev zlib1g-dev libxcb1-dev
  libgtest-dev libbenchmark-dev
  xvfb xdotool x11-utils openbox imagemagick fonts-dejavu-core
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
