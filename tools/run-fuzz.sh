#!/bin/bash
# Runs every fuzz target of build/fuzz (made by `make fuzz-build`) for
# FUZZ_RUNS inputs or FUZZ_SECONDS seconds, whichever ends first, each over a
# fresh copy of its starting inputs, and says per target how far it got and whether it
# found anything. Exits non-zero when one did.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
RUNS="${FUZZ_RUNS:-200000}"
SECONDS_EACH="${FUZZ_SECONDS:-60}"
BUILD="$ROOT/build/fuzz"
WORK="$BUILD/long-runs"
mkdir -p "$WORK"

status=0
for source in "$ROOT"/tests/fuzz/*_fuzz.cpp; do
  program="$(basename "$source" .cpp)"
  name="${program%_fuzz}"
  log="$WORK/$name.log"
  bash "$ROOT/tests/fuzz/run_target.sh" "$BUILD/tests/fuzz/$program" "$name" "$WORK" \
    -runs="$RUNS" -max_total_time="$SECONDS_EACH" >"$log" 2>&1
  result=$?
  done_line="$(grep -E '^Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1)"
  if ((result == 0)) && [[ -n $done_line ]]; then
    runs="$(awk '{print $2}' <<<"$done_line")"
    time_taken="$(awk '{print $5}' <<<"$done_line")"
    printf '%-14s %9s runs in %4s s: nothing found (log %s)\n' "$name" "$runs" "$time_taken" "$log"
  else
    status=1
    unit="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)"
    printf '%-14s FOUND a fault: input %s, log %s\n' "$name" "${unit:-?}" "$log"
  fi
done
exit $status
