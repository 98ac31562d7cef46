#!/usr/bin/env bash
# The web page's tests: build/web and its zip built twice from clean, from a
# copy of the sources made just now in another folder, and compared byte for
# byte; then the tests' page, whose game carries the rules' oracle, played in
# Debian's Chromium (tests/web/page_test.mjs, driven by puppeteer-core from
# the npm registry, pinned by tests/web/package-lock.json) and compared with
# the desktop window's pixels; last the players' page heard through Orca in a
# real Chromium window, a whole game by keys.
# Usage: test-web.sh   (after the ci preset's build and on its packages: the
# desktop window is read off a private X server)
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS=0

bash scripts/install-deps.sh web
bash scripts/web.sh
again=$(mktemp -d "${TMPDIR:-/tmp}/koppelo-web-again.XXXXXX")
git ls-files -z | xargs -0 cp --parents -t "$again"
bash "$again/scripts/web.sh" >/dev/null
diff -r build/web "$again/build/web"
cmp build/Koppelo-*-web.zip "$again"/build/Koppelo-*-web.zip
rm -rf "$again"
echo "test-web.sh: two clean builds gave the same build/web and zip"

bash scripts/web.sh --judged
cmake --build --preset ci --target koppelo koppelo_window_geometry >/dev/null
python3 tests/web/desktop_window.py build/ci/app/koppelo build/ci/window_geometry.json build/web-desktop.rgb
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node tests/web/page_test.mjs build/web-judged-page build/ci/window_geometry.json build/web-desktop.rgb
python3 tests/web/orca_page.py build/web
echo "test-web.sh: the web page's tests passed in $SECONDS s"
