#!/usr/bin/env bash
# Builds build/windows/Koppelo.exe, the game for 64-bit Windows, on Debian 12
# or 13 from the release's packages alone: MinGW-w64, its host Qt tools, and
# a static Qt made from its own qt6-base source (6.4 on 12, 6.8 on 13). That
# Qt is built once (16 to 30 minutes on two cores) into a cache outside the
# repository, keyed by its version and its configure options; later runs
# start at the game. Beside Koppelo.exe it packs the archive it is handed
# out in, build/windows/Koppelo-<version>-win64.zip.
# Usage: windows.sh [build folder, build/windows by default]
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=${1:-build/windows}
SECONDS=0

# The packages' versions are part of the cache's key: installed first.
bash scripts/install-deps.sh windows
jobs="$(nproc)"

# What the game needs of Qt and no more, built for size. Debian's repackaged
# source lacks 3rdparty/wintab (tablet events), and in 6.4 the windows
# platform plugin asks for a DirectWrite font database that QtGui builds only
# with Direct2D. The game shows a main window with menus, labels, picture
# boxes and one message box: the widgets and dialogs it never shows are left
# out, but for the input dialog, whose header the Vista style includes, and
# so is the database of file types, style sheets, gestures and scrolling by
# flicks, the calendars but the Gregorian one, the file-system model, the ODF
# writer and the landing pads for indirect branches, which Windows never checks.
qt_options=(
  -release -static -static-runtime -optimize-size -gc-binaries
  -xplatform win32-g++ -qt-host-path /usr
  -nomake tests -nomake examples
  -no-opengl -no-dbus -no-feature-network -no-feature-sql -no-feature-testlib
  -no-feature-printsupport -no-feature-concurrent -no-feature-xml
  -qt-zlib -qt-pcre -qt-harfbuzz -qt-libpng -no-freetype -no-zstd -no-icu
  -no-libjpeg -no-gif -no-ico
  -no-feature-tabletevent -no-feature-directwrite3
  -no-feature-mimetype-database -no-feature-mdiarea -no-feature-dockwidget
  -no-feature-filedialog -no-feature-colordialog -no-feature-fontdialog
  -no-feature-progressdialog -no-feature-wizard
  -no-feature-errormessage -no-feature-calendarwidget -no-feature-datetimeedit
  -no-feature-pdf -no-feature-textmarkdownreader -no-feature-textmarkdownwriter
  -no-feature-style-stylesheet -no-feature-gestures -no-feature-scroller
  -no-feature-hijricalendar -no-feature-islamiccivilcalendar -no-feature-jalalicalendar
  -no-feature-filesystemmodel -no-feature-textodfwriter -no-feature-intelcet
)
toolchain=$repo/cmake/windows-toolchain.cmake
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake
# The Qt source must be the version of the host tools (moc, rcc, uic).
qt_version=$(dpkg-query -W -f '${source:Version}' qt6-base-dev 2>/dev/null || true)
compiler=$(dpkg-query -W -f '${Version}' g++-mingw-w64-x86-64-posix 2>/dev/null || true)
# Qt 6.8 grew Koppelo.exe from 12 to 15.5 MB. What it adds that the game
# never uses is taken out of its source (trim_qt_source; Qt 6.4 is left as
# it is): the Windows 11 style, whose shadows need the graphics view, so
# Windows 11 gets the Vista style as from 6.4; the Direct3D 11 and 12
# renderers, which widgets do not draw with; PCRE2's JIT, off as on QNX and
# iOS; the table of screen makers' names (a screen's maker stays its
# three-letter code); and the two calls that link all of the C++ library's
# locales and streams for one lower-case letter and one debug string. Then
# as features: FreeType (6.8 builds it unless told), the Fusion style, seven
# widgets the game never shows, and stack-clash probes, which Windows' own
# stack probes make redundant.
trim_qt_source() {
  local qt=$1 styles=$1/src/plugins/styles/modernwindows rhi=$1/src/gui/rhi
  [[ -f $styles/qwindows11style.cpp ]] || return 0
  sed -i '/qwindows11style\.cpp/d' "$styles/CMakeLists.txt"
  sed -i '/qwindows11style_p\.h/d; /"windows11"/,+1d' "$styles/main.cpp"
  sed -i 's/, *"windows11"//; s/"windows11", *//' "$styles/modernwindowsstyles.json"
  # Qt's own fallback for old Windows SDKs: no Direct3D 12 renderer at all.
  sed -i 's/^#ifdef __ID3D12Device2_INTERFACE_DEFINED__$/#if 0/' "$rhi/qrhid3d12_p.h" "$rhi/qrhid3d12.cpp"
  sed -i '/^    case D3D11:$/{n;s/^#ifdef Q_OS_WIN$/#if 0/}' "$rhi/qrhi.cpp"
  sed -i 's/^\(qt_internal_extend_target(BundledPcre2 CONDITION QNX OR UIKIT\)$/\1 OR WIN32/' \
    "$qt/src/3rdparty/pcre2/CMakeLists.txt"
  sed -i '/^static const VendorTable q_edidVendorTable\[\] = {$/,/^};$/{/^    { "AA[B-Z]\|^    { "A[B-Z]\|^    { "[B-Z@]/d}' \
    "$qt/src/gui/util/qedidvendortable_p.h"
  sed -i '/^  static const std::ctype<char>& cType =$/,/^  return cType.tolower(ch);$/c\  return ch >= '"'A'"' \&\& ch <= '"'Z'"' ? char(ch - '"'A'"' + '"'a'"') : ch;' \
    "$qt/src/3rdparty/double-conversion/double-conversion/string-to-double.cc"
  sed -i '/^        std::stringstream s;$/,/^        flags += s\.str();$/c\        flags += '"'<'"' + std::to_string(q->width()) + '"'x'"' + std::to_string(q->height())\n            + (q->x() < 0 ? "" : "+") + std::to_string(q->x())\n            + (q->y() < 0 ? "" : "+") + std::to_string(q->y()) + '"'>'"';' \
    "$qt/src/widgets/kernel/qwidget.cpp"
  ! grep -q -i windows11 "$styles/CMakeLists.txt" "$styles/main.cpp" "$styles/modernwindowsstyles.json" &&
    [[ $(cat "$rhi/qrhid3d12_p.h" "$rhi/qrhid3d12.cpp" "$rhi/qrhi.cpp" | grep -c '^#if 0$') == 3 ]] &&
    grep -q 'QNX OR UIKIT OR WIN32$' "$qt/src/3rdparty/pcre2/CMakeLists.txt" &&
    [[ $(grep -c '^    { "' "$qt/src/gui/util/qedidvendortable_p.h") == 1 ]] &&
    ! grep -q 'std::locale' "$qt/src/3rdparty/double-conversion/double-conversion/string-to-double.cc" &&
    ! grep -q 'std::stringstream' "$qt/src/widgets/kernel/qwidget.cpp" ||
    { echo "windows.sh: Qt's source at $qt is not the one trim_qt_source knows" >&2; exit 1; }
}
if dpkg --compare-versions "${qt_version%%+*}" lt 6.7; then
  qt_options+=(-no-feature-graphicsview)
else
  qt_options+=(
    -no-feature-graphicsview -no-feature-freetype -no-feature-style-fusion
    -no-feature-lcdnumber -no-feature-splitter -no-feature-statusbar -no-feature-whatsthis
    -no-feature-movie -no-feature-systemtrayicon -no-feature-textbrowser
    -no-feature-stack_clash_protection
  )
fi
key=$({
  printf '%s\n' "${qt_options[@]}" "$compiler"
  cat "$toolchain"
  dpkg --compare-versions "${qt_version%%+*}" lt 6.7 || declare -f trim_qt_source
} | sha256sum | cut -c1-12)
qt_prefix=${XDG_CACHE_HOME:-${HOME:-~}/.cache}/koppelo/qt-$qt_version-windows-static-$key

# Debian's source of the installed qt6-base, from the archive the machine
# already installs it from: apt-get source through a private package list
# of those same sources, so the machine's own apt setup stays untouched.
fetch_qt_source() {
  local into=$1 apt=$1/apt
  mkdir -p "$apt/lists/partial" "$apt/parts"
  apt-cache policy qt6-base-dev |
    awk '$NF == "Packages" && $2 ~ "://" { split($3, at, "/"); print "deb-src", $2, at[1], at[2] }' |
    sort -u >"$apt/sources.list"
  [[ -s $apt/sources.list ]] || { echo "windows.sh: no package source offers qt6-base-dev" >&2; exit 1; }
  local private=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=$(id -un)")
  apt-get -qq "${private[@]}" update
  (cd "$into" && apt-get -qq "${private[@]}" source "qt6-base=$qt_version" >/dev/null)
}

build_qt() {
  echo "windows.sh: building the static Qt $qt_version for Windows into $qt_prefix (once)"
  rm -rf "$qt_prefix"
  local work started=$SECONDS
  work=$(mktemp -d "${TMPDIR:-/tmp}/koppelo-qt.XXXXXX")
  trap "rm -rf '$work'" EXIT
  fetch_qt_source "$work"
  trim_qt_source "$work"/qt6-base-*/
  mkdir "$work/build"
  (cd "$work/build" &&
    "$work"/qt6-base-*/configure -prefix "$qt_prefix" "${qt_options[@]}" -- \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" >configure.log 2>&1 ||
    { tail -40 configure.log >&2; exit 1; })
  cmake --build "$work/build" --parallel "$jobs" >"$work/build.log" 2>&1 || { tail -40 "$work/build.log" >&2; exit 1; }
  cmake --install "$work/build" >/dev/null
  rm -rf "$work"
  trap - EXIT
  # Written last: a build cut short is never taken for a finished one.
  touch "$qt_prefix/.complete"
  echo "windows.sh: the static Qt took $((SECONDS - started)) s to fetch and build"
}

[[ -e $qt_prefix/.complete ]] || build_qt
echo "windows.sh: the static Qt from $qt_prefix"

# The embedded pictures carry a date: the release's, not the files'.
SOURCE_DATE_EPOCH=$(date -d "$(sed -n 's/^ -- .*>  //p' debian/changelog | head -n 1)" +%s)
export SOURCE_DATE_EPOCH

# A build folder set up with another Qt would go on finding that one.
fresh=()
grep -qxF "CMAKE_PREFIX_PATH:UNINITIALIZED=$qt_prefix" "$build/CMakeCache.txt" 2>/dev/null || fresh=(--fresh)
KOPPELO_WINDOWS_QT=$qt_prefix cmake --preset windows -B "$build" "${fresh[@]}" >/dev/null
cmake --build "$build" -j "$jobs" --target koppelo koppelo-archive
echo "windows.sh: $build/Koppelo.exe and $(cd "$build" && echo Koppelo-*-win64.zip) ready, $SECONDS s in all"
