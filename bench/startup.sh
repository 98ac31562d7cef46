#!/usr/bin/env bash
# Times the game from process start until its window is mapped, over several
# runs under Xvfb, and prints each time and the median.
# Usage: bench/startup.sh [path/to/koppelo] [runs]
set -euo pipefail
program="${1:-build/default/ui/main/koppelo}"
runs="${2:-11}"

if [[ -z "${KOPPELO_STARTUP_INNER:-}" ]]; then
  exec env KOPPELO_STARTUP_INNER=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$program" "$runs"
fi

times=()
for ((run = 0; run < runs; run++)); do
  start=$(date +%s%N)
  "$program" 2>/dev/null &
  pid=$!
  until xwininfo -root -tree 2>/dev/null | grep -q '"Koppelo": '; do sleep 0.002; done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  times+=($(( (end - start) / 1000000 )))
done
printf 'start-up to mapped window, ms: %s\n' "${times[*]}"
printf 'median: %s ms\n' "$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")"
