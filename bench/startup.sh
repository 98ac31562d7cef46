#!/usr/bin/env bash
# Times the game's start-up against the floor, a bare Qt window of the same
# size with the same menus and font (koppelo-floor). Both start in turn under
# one Xvfb, the order swapping every pair, each from exec until its painted
# title band shows on the screen. Prints medians, min and max of each and of
# the pairwise game / floor ratio, for the wall clock and for the processor
# time until then (steadier on a busy machine), the resident memory after
# start-up, and the game's after a whole game won by the X test kit's player
# (played_memory.py).
# Usage: bench/startup.sh [build directory] [pairs]
set -euo pipefail
build="${1:-build/default}"
pairs="${2:-31}"
here="$(dirname "$(readlink -f "$0")")"
game="$build/app/koppelo"
floor="$build/bench/koppelo-floor"
probe="$build/bench/koppelo-startup-probe"
geometry="$build/window_geometry.json"
for program in "$game" "$floor" "$probe" "$geometry"; do
  [[ -e "$program" ]] || { echo "startup.sh: $program is missing; build the preset first" >&2; exit 1; }
done

# Under a private X server of the test kit.
if [[ -z "${KOPPELO_STARTUP_INNER:-}" ]]; then
  exec env KOPPELO_STARTUP_INNER=1 python3 "$here/../tests/support/x_server.py" "$here/startup.sh" "$build" "$pairs"
fi

# The title band's colour, which the probe watches for.
band=$(python3 -c 'import json, sys; print("%02X%02X%02X" % tuple(json.load(open(sys.argv[1]))["shpTitel"]["fill"]))' \
  "$geometry")

# Warm the file cache and the font cache once for both.
"$probe" "$band" "$game" >/dev/null
"$probe" "$band" "$floor" >/dev/null

results=$(mktemp)
trap 'rm -f "$results"' EXIT
for ((pair = 0; pair < pairs; pair++)); do
  if ((pair % 2 == 0)); then
    read -r game_ms game_kb game_cpu < <("$probe" "$band" "$game")
    read -r floor_ms floor_kb floor_cpu < <("$probe" "$band" "$floor")
  else
    read -r floor_ms floor_kb floor_cpu < <("$probe" "$band" "$floor")
    read -r game_ms game_kb game_cpu < <("$probe" "$band" "$game")
  fi
  echo "$game_ms $floor_ms $game_kb $floor_kb $game_cpu $floor_cpu" >>"$results"
done
read -r started_kb played_kb < <(python3 "$here/played_memory.py" "$game" "$geometry")

# Median, min and max of one column of the results.
stats() {
  awk "{ print $1 }" "$results" | sort -g | awk '{ v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%8.2f %8.2f %8.2f\n", m, v[1], v[NR] }'
}
printf 'Start-up to the painted window, %d alternating pairs under Xvfb\n' "$pairs"
printf '%-34s %8s %8s %8s\n' "" median min max
printf '%-34s %s\n' "game, ms" "$(stats '$1')"
printf '%-34s %s\n' "floor, ms" "$(stats '$2')"
printf '%-34s %s\n' "game / floor, pairwise" "$(stats '$1 / $2')"
printf '%-34s %s\n' "game processor time, ms" "$(stats '$5')"
printf '%-34s %s\n' "floor processor time, ms" "$(stats '$6')"
printf '%-34s %s\n' "game / floor processor, pairwise" "$(stats '$5 / $6')"
printf '%-34s %s\n' "game resident after start-up, MB" "$(stats '$3 / 1024')"
printf '%-34s %s\n' "floor resident after start-up, MB" "$(stats '$4 / 1024')"
printf '%-34s %s\n' "game - floor resident, MB" "$(stats '($3 - $4) / 1024')"
printf 'Game resident after start-up %.2f MB, after a whole game %.2f MB\n' \
  "$(awk "BEGIN { print $started_kb / 1024 }")" "$(awk "BEGIN { print $played_kb / 1024 }")"
