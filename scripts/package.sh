#!/usr/bin/env bash
# Builds the Debian package build/package/koppelo_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh package
cmake --preset package
cmake --build --preset package -j "$(nproc)"
cpack --preset package
