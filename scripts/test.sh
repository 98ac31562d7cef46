#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test, then runs
# the tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then
# fuzzes the windowless game for a bounded time (clang's libFuzzer).
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
