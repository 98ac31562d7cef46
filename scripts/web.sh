#!/usr/bin/env bash
# Builds build/web/, the game as a web page for any static web host, on
# Debian 12 or 13 from the release's packages alone: the game compiled to
# WebAssembly by Debian's emscripten (preset web), the page's script and
# style from web/page, and the static page (HTML, layout, pictures, manifest,
# service worker) written by the host tool koppelo-webpage. Beside it packs
# build/Koppelo-<version>-web.zip, the same bytes from every build of one commit.
# Usage: web.sh [--serve [port]]   --serve: then serve build/web on localhost
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
SECONDS=0

bash scripts/install-deps.sh web

# Debian's emscripten finds its JavaScript helpers (acorn) there; Debian's
# own node looks there anyway, another node (NodeSource's) does not.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# Every file is dated the release's day, not the build's.
SOURCE_DATE_EPOCH=$(date -d "$(sed -n 's/^ -- .*>  //p' debian/changelog | head -n 1)" +%s)
export SOURCE_DATE_EPOCH
version=$(sed -n '1s/^koppelo (\([0-9.]*\)).*/\1/p' debian/changelog)

cmake --preset web >/dev/null
cmake --build --preset web --target koppelo_web

out=$repo/build/web
rm -rf "$out"
mkdir -p "$out"

# The static page, from the host tool built with the desktop's Qt.
host=build/web-host
if [[ -e tools/webpage/CMakeLists.txt ]]; then
  cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release -DKOPPELO_TESTS=OFF -DKOPPELO_BENCH=OFF >/dev/null
  cmake --build "$host" -j 2 --target koppelo-webpage
  "$host/tools/webpage/koppelo-webpage" "$out"
else
  # STEP LEFT: tools/webpage is not on this branch yet; without it build/web
  # holds only the script, the style and the game, no index.html.
  echo "web.sh: tools/webpage missing: build/web has no index.html, layout or pictures" >&2
fi

install -m 644 build/web-wasm/web/koppelo.mjs build/web-wasm/web/koppelo.wasm "$out/"
cp web/page/*.js web/page/koppelo.css "$out/"
cp LICENSE "$out/LICENSE.txt"
cp assets/source/CREDITS.md assets/source/CC-BY-SA-4.0.txt assets/source/TUXPAINT-STAMPS.txt "$out/"

# Same bytes from two builds: fixed dates, names sorted, no extra fields.
archive=$repo/build/Koppelo-$version-web.zip
rm -f "$archive"
find "$out" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$out" && find . -type f | LC_ALL=C sort | sed 's|^\./||' | TZ=UTC zip -q -X -D -9 "$archive" -@)
echo "web.sh: $out and $archive ready, $SECONDS s in all"

if [[ ${1:-} == --serve ]]; then
  port=${2:-8000}
  echo "web.sh: serving $out at http://127.0.0.1:$port/ (Ctrl+C stops)"
  # Python's server sends .wasm as application/wasm and .mjs as JavaScript.
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$out"
fi
