#!/usr/bin/env bash
# Builds the Debian source package of what git tracks in this folder, then
# the binary package from it with dpkg-buildpackage: in build/package (or
# the folder given), koppelo_<version>.dsc and its tarball, and
# koppelo_<version>_<arch>.deb.
# Usage: package.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh package
out=$(realpath -m "${1:-build/package}")
tree="$out/koppelo-$(dpkg-parsechangelog -S Version)"
rm -rf "$out"
mkdir -p "$tree"
git ls-files -z | tar --null -T - -cf - | tar -C "$tree" -xf -
(cd "$out" && dpkg-source -b "$(basename "$tree")")
(cd "$tree" && dpkg-buildpackage -us -uc -b --jobs-try=auto)
