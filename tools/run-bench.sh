#!/bin/bash
# Runs the benchmarks, each figure beside its baseline measured in the same
# run, and ends with one markdown table of them all (also written to
# build/bench-table.md). Benchmarks report; they never fail on time.
#   sheet build     native, x86_64 and i686 under Wine, against the pixel-by-pixel loop
#   composing alone the step with no display, natively (a report, no table row)
#   animation step  24- and 16-bit screens, against the bare GDI calls it makes
#   heap allocations in 1,000 steps
#   start-up and private bytes, against a bare one-window program
#   the X11 program's step (24- and 16-bit Xvfb) against sending its rectangles
#   only, and its memory against a bare one-window Xlib program
#   the page's step in headless Chromium beside the X11 program's, its first
#   picture beside a bare page's, its bytes, its memory over 1,000 steps
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$ROOT/build/bench"
TABLE="$ROOT/build/bench-table.md"
mkdir -p "$OUT"
rm -f "$OUT"/*.txt

# The native figures come from the release tree (make x11), the code as it ships.
RELEASE="$ROOT/build/x11"

# Runs one benchmark, showing its report and keeping it for the table.
bench() {
  local name="$1"
  shift
  BENCH_COUNT=$((BENCH_COUNT + 1))
  echo "== $name"
  "$@" 2>&1 | tee "$OUT/$(printf '%02d' "$BENCH_COUNT")-${name// /-}.txt"
}
BENCH_COUNT=0
LOAD_BEFORE="$(uptime)"

bench "sheet build native" "$RELEASE/tests/bench/sheet_bench"
bench "composing alone native" "$RELEASE/tests/bench/compose_bench"

# Our own prefix and displays; the settings the benchmarks write go back
# as they were before each program ends.
source "$ROOT/tools/wine-env.sh" "$ROOT/build/wine-bench"
wine_make_prefix
trap wine_stop EXIT

# One display per depth: the wineserver's desktop belongs to the display it
# started on, so the server is stopped before the next one.
start_display() {
  xvfb_start "$1"
  wine_start
  # Without a window manager Wine waits for one whenever a managed window
  # goes away; the start-up runs end a window each time.
  "$WINE64" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

start_display 24
X64="$ROOT/build/x86_64/tests/bench"
bench "sheet build x86_64 Wine" "$WINE64" "$X64/sheet_bench.exe"
# The 32-bit loader may run under qemu-user here: about 8 s to start.
bench "sheet build i686 Wine" /usr/lib/wine/wine "$ROOT/build/i686/tests/bench/sheet_bench.exe"
bench "animation step 24-bit screen" "$WINE64" "$X64/tick_bench.exe"
X11_BENCH="$RELEASE/tests/bench"
# The X11 program beside the module's step, on an Xvfb of its own: -noreset,
# since the benchmark's runs connect and disconnect one after the other.
x11_bench() {
  local depth="$1" wine_display="$DISPLAY" wine_xvfb="$XVFB_PID"
  shift
  xvfb_start "$depth" -noreset
  "$X11_BENCH/x11_step_bench" "$RELEASE/pennydance" "$X11_BENCH/bare_x11_window" "$@"
  kill "$XVFB_PID"
  wait "$XVFB_PID" 2>/dev/null
  export DISPLAY="$wine_display" XVFB_PID="$wine_xvfb"
}
bench "X11 step and memory 24-bit screen" x11_bench 24
bench "page in Chromium" node "$ROOT/tests/bench/web_bench.mjs" "$ROOT/build/web" \
  "$(ls "$OUT"/*-X11-step-and-memory-24-bit-screen.txt)"
bench "start-up and memory" "$WINE64" "$X64/startup_bench.exe"
wine_stop

start_display 16
bench "animation step 16-bit screen" "$WINE64" "$X64/tick_bench.exe" --no-allocations
bench "X11 step 16-bit screen" x11_bench 16 --no-memory
wine_stop
trap - EXIT

{
  echo "Benchmarks of $(date +%F) on $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')"
  echo "(load before: ${LOAD_BEFORE##*load average: }; after: $(uptime | sed 's/.*load average: //'))."
  echo "Every baseline is measured in the same run; ratio = ours / baseline."
  echo
  echo "| figure | build, screen | settings | ours | baseline | baseline figure | ratio | goal |"
  echo "|---|---|---|---|---|---|---|---|"
  cat "$OUT"/*.txt | tr -d '\r' | sed -n 's/^table: //p'
} >"$TABLE"
echo
cat "$TABLE"
