#!/bin/bash
# The long memory soak of the real saver (tests/e2e/soak.sh, which CI runs
# for a minute) in a prefix and a 24-bit display of its own: Number 256,
# Zoom 2, MoveSpeed 256, the private bytes read every SOAK_INTERVAL seconds
# (default 60) for SOAK_MINUTES minutes (default 30). The report and the
# screenshot go to build/soak/ (the table in soak-table.txt); the exit code
# is the suite's.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$ROOT/build/soak"
SOAK_MINUTES="${SOAK_MINUTES:-30}"
export SOAK_INTERVAL="${SOAK_INTERVAL:-60}"
[[ $SOAK_MINUTES =~ ^[0-9]+$ && $SOAK_MINUTES -gt 0 ]] ||
  { echo "SOAK_MINUTES is a whole number of minutes above 0"; exit 2; }
export SOAK_SECONDS=$((SOAK_MINUTES * 60))
rm -rf "$OUT"
mkdir -p "$OUT"

source "$ROOT/tools/wine-env.sh" "$ROOT/build/wine-soak"
source "$ROOT/tools/test-prefix-settings.sh"
wine_make_prefix
trap wine_stop EXIT
xvfb_start 24
wine_start
apply_test_prefix_settings

echo "soak: $SOAK_MINUTES min, a sample every $SOAK_INTERVAL s (report in build/soak/)"
X64="$ROOT/build/x86_64"
bash "$ROOT/tests/e2e/soak.sh" "$X64/tools/probe/probe.exe" "$X64/tests/win" \
  "$ROOT/build/native/tools/screen_regions/screen_regions" "$OUT" 2>&1 | tee "$OUT/soak.log"
result=${PIPESTATUS[0]}

echo "soak $([[ $result -eq 0 ]] && echo passed || echo FAILED); the whole log: build/soak/soak.log"
exit "$result"
