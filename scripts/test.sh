#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test, then runs
# the tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then
# fuzzes the windowless game for a bounded time (clang's libFuzzer), then
# builds Koppelo.exe and plays it under Wine where this machine has built the
# static Qt for Windows before.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh test
jobs="$(nproc)"

cmake --preset ci
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz

# Building the static Qt for Windows takes longer than CI's hour leaves, so
# only a machine that has built it once (bash scripts/windows.sh) tests
# Koppelo.exe here; any other run says that it did not.
windows=0
bash scripts/windows.sh --if-qt-cached || windows=$?
case $windows in
  0) python3 tests/windows/wine_test.py build/windows/Koppelo.exe build/ci/app/koppelo build/ci/window_geometry.json ;;
  75) echo "test.sh: Koppelo.exe NOT TESTED: no static Qt for Windows on this machine (see above)" ;;
  *) exit "$windows" ;;
esac
