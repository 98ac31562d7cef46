#!/usr/bin/env bash
# The launcher entry's StartupWMClass must be the class the game's window
# really carries, or docks show a second, anonymous icon beside the
# launcher's; and the window's icon carries a side of 48 beside the title
# bar's 16 and the task bar's 32, so that a window switcher need not scale
# up a small one. Starts the game under Xvfb and reads WM_CLASS and
# _NET_WM_ICON with xprop.
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

window_sides="16 32 48"
# -len: more than the 4 bytes a pixel of every side, which xprop would cut short.
sides=$(xprop -len 100000 -id "$window" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \1):.*/\1/p' | sort -n | xargs)
[[ $sides == "$window_sides" ]] || { echo "FAIL: the window's icon has the sides '$sides', not '$window_sides'" >&2; exit 1; }
echo "_NET_WM_ICON sides $sides: OK"
