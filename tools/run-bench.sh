#!/bin/bash
# Runs the benchmarks; they report figures and assert nothing about time.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$ROOT" -B "$ROOT/build/native-release" -G Ninja -DART_DIR="$ROOT/build/art" \
  -DPENNYDANCE_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$ROOT/build/native-release" -j 2 --target sheet_bench
echo "== sheet build, native"
"$ROOT/build/native-release/tests/bench/sheet_bench"
source "$ROOT/tools/wine-env.sh" "$ROOT/build/wine-bench"
wine_make_prefix
xvfb_start 24
trap wine_stop EXIT
wine_start
echo "== sheet build, x86_64 under Wine"
"$WINE64" "$ROOT/build/x86_64/tests/bench/sheet_bench.exe"
echo "== sheet build, i686 under Wine"
/usr/lib/wine/wine "$ROOT/build/i686/tests/bench/sheet_bench.exe"
echo "== one animation step, x86_64 under Wine, 24-bit screen"
"$WINE64" "$ROOT/build/x86_64/tests/bench/tick_bench.exe"
