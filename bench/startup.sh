#!/usr/bin/env bash
# Measures the game's start-up against the floor, a bare Qt window of the
# same size with the same menus and font (koppelo-floor), in one run under one
# Xvfb, and prints each figure with the game / floor ratio:
# - instructions from exec until the program sits idle, counted by callgrind:
#   the same from run to run on a busy machine as on a quiet one;
# - the wall clock from exec until the painted title band shows on the screen,
#   and the processor time until then, over alternating pairs whose order
#   swaps every pair (medians, min, max of the pairwise ratios);
# - the resident memory after start-up, and the game's after a whole game won
#   by the X test kit's player (played_memory.py).
# The machine's load average is printed with them: only the instruction
# counts hold on a machine that is doing other work.
# Usage: bench/startup.sh [build directory] [pairs]
# KOPPELO_STARTUP_PROFILES=DIR keeps the two callgrind profiles there, for
# callgrind_annotate.
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
for tool in valgrind callgrind_control; do
  command -v "$tool" >/dev/null || { echo "startup.sh: $tool is missing; install valgrind" >&2; exit 1; }
done

# Under a private X server of the test kit.
if [[ -z "${KOPPELO_STARTUP_INNER:-}" ]]; then
  exec env KOPPELO_STARTUP_INNER=1 python3 "$here/../tests/support/x_server.py" "$here/startup.sh" "$build" "$pairs"
fi

idle_seconds=3   # without processor time, after which a program counts as idle
poll=0.25        # seconds between two looks at it
give_up=300      # seconds for a program under callgrind to fall idle

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)

# The title band's colour, which the probe watches for.
band=$(python3 -c 'import json, sys; print("%02X%02X%02X" % tuple(json.load(open(sys.argv[1]))["shpTitel"]["fill"]))' \
  "$geometry")

# Warm the file cache and the font cache once for both.
"$probe" "$band" "$game" >/dev/null
"$probe" "$band" "$floor" >/dev/null

results="$scratch/pairs"
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

# Processor time of a process so far, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# The instructions a program executes from exec until it has spent
# idle_seconds without the processor: callgrind dumps its count then.
instructions() {
  local program=$1 profile=$2
  valgrind --tool=callgrind --callgrind-out-file="$profile" "$program" >/dev/null 2>&1 &
  local pid=$! last=-1 now still=0 waited=0
  local needed
  needed=$(awk "BEGIN { print int($idle_seconds / $poll) }")
  while ((still < needed)); do
    sleep "$poll"
    now=$(ticks "$pid") || { echo "startup.sh: $program ended under callgrind" >&2; exit 1; }
    if [[ $now == "$last" ]]; then still=$((still + 1)); else still=0; fi
    last=$now
    waited=$((waited + 1))
    if awk "BEGIN { exit !($waited * $poll > $give_up) }"; then
      echo "startup.sh: $program never fell idle under callgrind" >&2
      exit 1
    fi
  done
  callgrind_control --dump "$pid" >/dev/null 2>&1
  until grep -q '^totals:' "$profile.1" 2>/dev/null; do sleep "$poll"; done
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
  sed -n 's/^totals: *//p' "$profile.1"
}
game_ir=$(instructions "$game" "$scratch/game")
floor_ir=$(instructions "$floor" "$scratch/floor")
if [[ -n "${KOPPELO_STARTUP_PROFILES:-}" ]]; then
  mkdir -p "$KOPPELO_STARTUP_PROFILES"
  cp "$scratch/game.1" "$KOPPELO_STARTUP_PROFILES/game.callgrind"
  cp "$scratch/floor.1" "$KOPPELO_STARTUP_PROFILES/floor.callgrind"
fi

# Median, min and max of one column of the results.
stats() {
  awk "{ print $1 }" "$results" | sort -g | awk '{ v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%8.2f %8.2f %8.2f\n", m, v[1], v[NR] }'
}
. /etc/os-release
printf 'Start-up of the game against the floor, %s, load average %s at the start and %s at the end\n' \
  "$PRETTY_NAME" "$load_at_start" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '\nInstructions from exec to idle (callgrind)\n'
printf '%-34s %8.2f\n' "game, millions" "$(awk "BEGIN { print $game_ir / 1e6 }")"
printf '%-34s %8.2f\n' "floor, millions" "$(awk "BEGIN { print $floor_ir / 1e6 }")"
printf '%-34s %8.3f\n' "game / floor" "$(awk "BEGIN { print $game_ir / $floor_ir }")"
printf '\nStart-up to the painted window, %d alternating pairs\n' "$pairs"
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
printf '%-34s %s\n' "game / floor resident" "$(stats '$3 / $4')"
printf 'Game resident after start-up %.2f MB, after a whole game %.2f MB\n' \
  "$(awk "BEGIN { print $started_kb / 1024 }")" "$(awk "BEGIN { print $played_kb / 1024 }")"
