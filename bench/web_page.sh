#!/usr/bin/env bash
# Measures the web page in Debian's Chromium (web_page.mjs): the files a first
# visit loads, the start-up against the page without its script over
# alternating pairs, and a click handled. Build the page first (scripts/web.sh).
# Usage: bench/web_page.sh [build/web] [pairs] [clicks]
# KOPPELO_CHROMIUM=PATH runs another Chromium.
set -euo pipefail
here="$(dirname "$(readlink -f "$0")")"
page="${1:-build/web}"
pairs="${2:-31}"
clicks="${3:-1980}"
[[ -f "$page/index.html" && -f "$page/koppelo.wasm" ]] || {
  echo "web_page.sh: $page holds no built page; run bash scripts/web.sh first" >&2; exit 1; }
# puppeteer-core comes from the browser tests' own packages.
[[ -d "$here/../tests/web/node_modules/puppeteer-core" ]] || {
  echo "web_page.sh: tests/web/node_modules is missing; run npm ci in tests/web" >&2; exit 1; }
chromium="${KOPPELO_CHROMIUM:-/usr/bin/chromium}"
[[ -x "$chromium" ]] || { echo "web_page.sh: $chromium is missing; install chromium" >&2; exit 1; }
exec node "$here/web_page.mjs" "$page" "$pairs" "$clicks"
