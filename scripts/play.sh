#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh play
cmake --preset default -DKOPPELO_BENCH=OFF -DKOPPELO_TESTS=OFF
cmake --build --preset default --target koppelo -j "$(nproc)"
exec build/default/app/koppelo
