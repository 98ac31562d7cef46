#!/usr/bin/env bash
# The Debian package built twice, by scripts/package.sh and from its source
# package elsewhere, the .deb files equal byte for byte; then its files and
# fields, hardening, copyright, desktop validators and lintian.
#   check_package.sh SOURCE_DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs a build step with its output kept, shown only if it fails.
quietly() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { tail -n 60 "$log" >&2; fail "$* failed"; }
}

quietly "$work/first.log" bash "$source/scripts/package.sh" "$work/first"
dscs=("$work"/first/koppelo_*.dsc)
dsc=${dscs[0]}
[[ -f $dsc ]] || fail "no source package was made"
mkdir "$work/second"
quietly "$work/second.log" sh -c 'cd "$1" && dpkg-source -x "$2" koppelo && cd koppelo && dpkg-buildpackage -us -uc -b' \
  sh "$work/second" "$dsc"

echo "== reproducibility"
for first in "$work"/first/*.deb; do
  second="$work/second/$(basename "$first")"
  cmp "$first" "$second" || fail "$(basename "$first") differs between two builds"
  echo "$(basename "$first"): identical"
done

version=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
deb=$(echo "$work"/first/koppelo_"$version"_*.deb)
[[ -f $deb ]] || fail "no koppelo_${version}_*.deb was made"
echo "== dpkg-deb -c $(basename "$deb")"
dpkg-deb -c "$deb"

expected=$(printf '%s\n' ./usr/games/koppelo ./usr/share/man/man6/koppelo.6.gz \
  ./usr/share/{applications/nl.koppelo.Koppelo.desktop,metainfo/nl.koppelo.Koppelo.metainfo.xml} \
  ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/koppelo.png \
  ./usr/share/doc/koppelo/{copyright,changelog.gz,CREDITS.md} | sort)
packed=$(dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $6 }' | sort)
[[ $packed == "$expected" ]] || fail "the package holds other files than expected:
$(diff <(echo "$expected") <(echo "$packed"))"

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == koppelo && $(field Section) == games ]] || fail "package $(field Package), section $(field Section)"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libc6 fonts-liberation; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(field Recommends) == qt6-wayland ]] || fail "Recommends: $(field Recommends)"
# Made for the release that built it: this machine's own packages meet what it depends on.
dpkg-checkbuilddeps -d "$depends" /dev/null 2>/dev/null || fail "this release's packages do not meet Depends: $depends"

root="$work/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/games/koppelo"
grep -q -e '\.symtab' -e '\.debug_' <<<"$(readelf -S "$program")" && fail "the program is not stripped"
echo "== hardening-check"
# Every feature dpkg-buildflags gives; of its "branch" feature only the form
# of this architecture (-fcf-protection on x86 from Debian 13 on, seen as the
# IBT note the linker writes only when every object has one, which Debian
# 13's own crti.o lacks; -mbranch-protection on arm64).
flags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
unasked=()
if [[ $flags != *-fcf-protection* ]] || ! grep -q IBT <<<"$(readelf -n "$(gcc -print-file-name=crti.o)")"; then
  unasked+=(--nocfprotection)
fi
if [[ $flags != *-mbranch-protection* ]] && grep -q -- --nobranchprotection <<<"$(hardening-check --help)"; then
  unasked+=(--nobranchprotection)
fi
hardening-check "${unasked[@]}" "$program" || fail "the program lacks a hardening feature this release gives"
# And as the compiler recorded it for every unit in the debug symbols: each
# protection flag this release gives, those hardening-check cannot see included.
dpkg-deb -x "$work"/first/koppelo-dbgsym_"$version"_*.deb "$work/debug"
producers=$(find "$work/debug" -name '*.debug' -exec readelf --debug-dump=info {} + 2>/dev/null | grep DW_AT_producer)
[[ -n $producers ]] || fail "the debug symbols name no compiler"
for flag in $flags; do
  [[ $flag == -fstack-* || $flag == -fcf-* ]] || continue
  grep -q -v -e "$flag" <<<"$producers" && fail "a unit of the program was compiled without $flag"
  echo "every unit compiled with $flag"
done
for photo in "$source"/assets/source/*.png; do
  grep -q "assets/source/$(basename "$photo")" "$root/usr/share/doc/koppelo/copyright" ||
    fail "the copyright file does not name $(basename "$photo")"
done

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/nl.koppelo.Koppelo.desktop"
echo "== appstreamcli validate-tree --no-net"
bash "$(dirname "$0")/appstream.sh" validate-tree "$root"
echo "== lintian --pedantic -I"
# Debian 13's lintian validates the AppStream metadata too, but cannot be told
# of the one message appstream.sh lets pass; appstream.sh above holds it to
# every other. Debian 12's has no such check, and refuses to hear of its tag.
unheard=()
lintian-explain-tags appstream-metadata-validation-failed >/dev/null 2>&1 &&
  unheard=(--suppress-tags appstream-metadata-validation-failed)
lintian --pedantic -I --fail-on error,warning "${unheard[@]}" "$dsc" "$deb"
echo "package: OK"
