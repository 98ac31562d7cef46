#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test, then runs
# the tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then
# fuzzes the windowless game for a bounded time (clang's libFuzzer), then
# builds the web page twice to compare and plays it in Chromium, then
# builds Koppelo.exe and its archive twice to compare them, plays it under Wine
# and judges what it hands UI Automation.
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

# The web page: two clean builds compared, then played in Debian's Chromium.
bash scripts/test-web.sh

# Koppelo.exe from the same sources, played under Wine. The first run on a
# machine builds the static Qt for Windows (16 to 30 minutes); later runs find it.
bash scripts/windows.sh
# Both again from clean, from a copy of the sources made just now in another
# folder, the Qt reused: the same bytes, or a build leaks its time, its
# folder or the files' dates into them.
again=$(mktemp -d "${TMPDIR:-/tmp}/koppelo-again.XXXXXX")
git ls-files -z | xargs -0 cp --parents -t "$again"
bash "$again/scripts/windows.sh"
for file in Koppelo.exe build/windows/Koppelo-*-win64.zip; do
  cmp "build/windows/${file##*/}" "$again/build/windows/${file##*/}"
done
rm -rf "$again"
python3 tests/windows/wine_test.py build/windows/Koppelo.exe build/ci/app/koppelo build/ci/window_geometry.json
# What it hands a Windows screen reader, recorded where it meets UI Automation.
python3 tests/windows/uia_judge.py build/windows/Koppelo.exe
