#!/usr/bin/env bash
# Builds build/web/, the game as a web page for any static web host, on
# Debian 12 or 13 from the release's packages alone: the game compiled to
# WebAssembly by Debian's emscripten (preset web), the page's script and
# style from web/page, and the static page (HTML, layout, pictures, manifest,
# service worker) written by the host tool koppelo-webpage. Beside it packs
# build/Koppelo-<version>-web.zip, the same bytes from every build of one commit.
# Usage: web.sh [--serve [port] | --judged]   --serve: then serve build/web on localhost
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

# --judged: the tests' page, its game carrying the rules' oracle, in build/web-judged-page.
preset=web wasm=build/web-wasm out=$repo/build/web
if [[ ${1:-} == --judged ]]; then
  preset=web-judged wasm=build/web-judged out=$repo/build/web-judged-page
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target koppelo_web

rm -rf "$out"
mkdir -p "$out"
install -m 644 "$wasm/web/koppelo.mjs" "$wasm/web/koppelo.wasm" "$out/"
cp web/page/*.js web/page/koppelo.css "$out/"
cp LICENSE "$out/LICENSE.txt"
cp assets/source/CREDITS.md assets/source/CC-BY-SA-4.0.txt assets/source/TUXPAINT-STAMPS.txt "$out/"

# The static page, from the host tool built with the desktop's Qt; its
# service worker keeps every file above for a visit offline.
host=build/web-host
cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=Release -DKOPPELO_TESTS=OFF -DKOPPELO_BENCH=OFF >/dev/null
cmake --build "$host" -j 2 --target koppelo-webpage
(cd "$out" && "$repo/$host/tools/webpage/koppelo-webpage" . koppelo.mjs koppelo.wasm $(cd "$repo/web/page" && ls *.js))
[[ $preset == web ]] || exit 0

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
