#!/usr/bin/env bash
# Installs what building, running and testing Celestrix need on Debian 12.
set -euo pipefail

packages=(
  # building the program, the tests and the benchmarks
  build-essential cmake pkg-config python3
  qt6-base-dev qt6-qpa-plugins libjpeg62-turbo-dev zlib1g-dev libxcb1-dev
  libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-dejavu-extra
  # the whole program under a private X server
  xvfb xdotool x11-utils openbox imagemagick util-linux strace
  # fuzzing
  clang libclang-rt-14-dev
  # the Debian package and its checks
  dpkg-dev file desktop-file-utils appstream man-db
  # the Windows build, run under Wine
  g++-mingw-w64-x86-64-posix wine64
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
