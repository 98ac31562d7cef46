#!/usr/bin/env bash
# Runs a fuzz target for a bounded time, starting from a seed corpus that it
# leaves as it is: what the run finds goes to a scratch folder, and only a
# crash (saved beside the target) fails it. Prints libFuzzer's final figures,
# or its whole report when it failed.
# Usage: fuzz/run.sh TARGET SECONDS SEED_CORPUS
set -euo pipefail
target="$1" seconds="$2" seeds="$3"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/found"

status=0
"$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$(dirname "$target")/" \
  "$scratch/found" "$seeds" > "$scratch/log" 2>&1 || status=$?
if [[ $status -ne 0 ]]; then
  cat "$scratch/log"
else
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::' "$scratch/log"
fi
exit "$status"
