#!/usr/bin/env bash
# Line and branch coverage of the rules by fuzz inputs: builds the fuzz
# target with clang's source coverage in build/fuzz-coverage, replays the
# corpus folders given (by default the committed seeds) once each, and
# prints llvm-cov's report for game/ and runtime/. Needs the release's
# clang, libclang-rt-dev and llvm packages.
# Usage: fuzz/coverage.sh [CORPUS...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/fuzz-coverage
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DKOPPELO_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" > /dev/null
cmake --build "$build" -j2 --target koppelo-fuzz-game > /dev/null

corpora=("$@")
[[ ${#corpora[@]} -gt 0 ]] || corpora=(fuzz/corpus)
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
LLVM_PROFILE_FILE="$build/corpus.profraw" "$build/fuzz/koppelo-fuzz-game" -runs=0 "$scratch" "${corpora[@]}" \
  > /dev/null 2>&1
llvm-profdata merge -o "$build/corpus.profdata" "$build/corpus.profraw"
llvm-cov report "$build/fuzz/koppelo-fuzz-game" -instr-profile="$build/corpus.profdata" game/ runtime/
