#!/usr/bin/env bash
# Installs whatever the build and the tests need that this Debian 12 or 13
# machine lacks. The names are the release's own defaults (clang, not a
# versioned clang-NN), so one list serves both.
# Usage: install-deps.sh [play|ci|test|package|windows|web]
#   ci: the ci preset's build and its tests; test: those and the fuzz preset's clang.
set -euo pipefail
mode=${1:-play}

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-liberation
)
if [[ $mode == ci || $mode == test ]]; then
  packages+=(
    googletest libgtest-dev libbenchmark-dev qt6-base-private-dev
    binutils-mingw-w64-x86-64
    xvfb xauth xdotool imagemagick python3 libx11-dev
    dbus at-spi2-core python3-pyatspi
    orca speech-dispatcher libao4 openbox
    build-essential debhelper devscripts git lintian desktop-file-utils appstream x11-utils
    valgrind
  )
fi
if [[ $mode == test ]]; then
  packages+=(clang libclang-rt-dev)
fi
if [[ $mode == package ]]; then
  packages+=(build-essential debhelper git)
fi
if [[ $mode == windows ]]; then
  packages+=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 ninja-build dpkg-dev
    wine wine64 xvfb xauth openbox xdotool x11-utils imagemagick python3
  )
fi
if [[ $mode == web ]]; then
  # node-acorn: emscripten's optimiser needs it; npm: the browser tests'
  # driver, unless a node of its own brought one.
  packages+=(emscripten node-acorn nodejs chromium zip python3)
  command -v npm >/dev/null || packages+=(npm)
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
