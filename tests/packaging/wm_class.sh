#!/usr/bin/env bash
# The launcher entry's StartupWMClass must be the class the game's window
# really carries, or docks show a second, anonymous icon beside the
# launcher's. Starts the game under Xvfb and reads WM_CLASS with xprop.
#   wm_class.sh KOPPELO DESKTOP_FILE
set -euo pipefail
program=$1
desktop=$2

if [[ ${3:-} != --inside ]]; then
  here=$(dirname "$(readlink -f "$0")")
  exec python3 "$here/../support/x_server.py" bash "$here/wm_class.sh" "$program" "$desktop" --inside
fi

expected=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[[ -n $expected ]] || { echo "FAIL: $desktop has no StartupWMClass" >&2; exit 1; }
"$program" &
game=$!
trap 'kill "$game" 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Koppelo$' | head -n 1)
[[ -n $window ]] || { echo "FAIL: no window named Koppelo appeared" >&2; exit 1; }
wm_class=$(xprop -id "$window" WM_CLASS)
echo "$wm_class"
class=$(sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p' <<<"$wm_class")
[[ $class == "$expected" ]] || { echo "FAIL: the window's class is '$class', the entry says '$expected'" >&2; exit 1; }
echo "StartupWMClass=$expected matches: OK"
