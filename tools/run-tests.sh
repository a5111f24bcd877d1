#!/bin/bash
# Runs every test: the native ones and those of both Windows builds under
# Wine, in one throw-away prefix and one Xvfb, and ends with ctest's summary.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/tools/wine-env.sh" "$ROOT/build/wine-prefix"
source "$ROOT/tools/test-prefix-settings.sh"

wine_make_prefix
xvfb_start 24
trap wine_stop EXIT
wine_start
apply_test_prefix_settings

cp "$ROOT/cmake/CTestTestfile.all.cmake" "$ROOT/build/CTestTestfile.cmake"
ctest --test-dir "$ROOT/build" --output-on-failure -j 2 "$@"
