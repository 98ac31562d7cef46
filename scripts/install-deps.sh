#!/usr/bin/env bash
# Installs whatever the build and the tests need that this Debian 12 machine
# lacks. Usage: install-deps.sh [play|test|package|windows]
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  fonts-liberation
)
if [[ "${1:-play}" == test ]]; then
  packages+=(
    googletest libgtest-dev libbenchmark-dev qt6-base-private-dev
    binutils-mingw-w64-x86-64
    xvfb xauth xdotool imagemagick python3 libx11-dev
    dbus at-spi2-core python3-pyatspi
    orca speech-dispatcher libao4 openbox
    build-essential debhelper devscripts git lintian desktop-file-utils appstream x11-utils
    clang-14 libclang-rt-14-dev valgrind
  )
fi
if [[ "${1:-play}" == package ]]; then
  packages+=(build-essential debhelper git)
fi
if [[ "${1:-play}" == windows ]]; then
  packages+=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 ninja-build dpkg-dev
    wine wine64 xvfb xauth openbox xdotool x11-utils imagemagick python3
  )
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
