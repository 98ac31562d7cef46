#!/usr/bin/env bash
# Builds the Debian package from a build folder, lists it, checks that it
# holds exactly the files a player's system needs with the right control
# fields, that its copyright file names every photograph, that what it
# installs passes the desktop validators, and runs lintian on it.
#   check_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack could not build the package"
fi
debs=("$work"/koppelo_*.deb)
deb=${debs[0]}
[[ -f $deb ]] || fail "no koppelo_*.deb was made"
echo "== dpkg-deb -c $(basename "$deb")"
dpkg-deb -c "$deb"

icons=()
for size in 16 32 48 64 128 256; do
  icons+=("./usr/share/icons/hicolor/${size}x${size}/apps/koppelo.png")
done
expected=$(printf '%s\n' ./usr/games/koppelo \
  ./usr/share/applications/koppelo.desktop \
  ./usr/share/metainfo/nl.koppelo.Koppelo.metainfo.xml \
  "${icons[@]}" \
  ./usr/share/man/man6/koppelo.6.gz \
  ./usr/share/doc/koppelo/copyright ./usr/share/doc/koppelo/changelog.gz ./usr/share/doc/koppelo/CREDITS.md | sort)
packed=$(dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $6 }' | sort)
[[ $packed == "$expected" ]] || fail "the package holds other files than expected:
$(diff <(echo "$expected") <(echo "$packed"))"

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == koppelo && $(field Version) == 1.0 ]] || fail "name or version: $(field Package) $(field Version)"
[[ $(field Section) == games ]] || fail "section $(field Section)"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libc6 fonts-liberation qt6-translations-l10n; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
sections=$(readelf -S "$root/usr/games/koppelo")
grep -q -e '\.symtab' -e '\.debug_' <<<"$sections" && fail "the program is not stripped"
for photo in "$source"/assets/source/*.png; do
  grep -q "assets/source/$(basename "$photo")" "$root/usr/share/doc/koppelo/copyright" ||
    fail "the copyright file does not name $(basename "$photo")"
done

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/koppelo.desktop"
echo "== appstreamcli validate-tree --no-net"
appstreamcli validate-tree --no-net "$root"
echo "== lintian"
lintian --fail-on error,warning --display-info "$deb"
echo "package: OK"
