#!/bin/bash
# Starts the X11 program as it ships (build/x11/pennydance) in its own 800 x 600
# window on the current display, until q, Escape or closing the window.
# Without a display it starts a virtual 800 x 600 one, runs the program for
# about six seconds while recording it (build/pennydance-x11.gif and .png),
# ends it with a real Escape key press and prints its exit code.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
PROGRAM="$ROOT/build/x11/pennydance"

if [[ -n ${DISPLAY:-} ]]; then
  "$PROGRAM"
  exit $?
fi

source "$ROOT/tools/xvfb.sh"
xvfb_start 24
trap 'kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null' EXIT
echo "no display: started Xvfb on $DISPLAY"

FRAMES="$ROOT/build/run-frames-x11"
rm -rf "$FRAMES" && mkdir -p "$FRAMES"
"$PROGRAM" &
PROGRAM_PID=$!
window=
for ((i = 0; i < 50; ++i)); do
  window="$(xdotool search --name '^Pennydance$' 2>/dev/null | head -1)"
  [[ -n $window ]] && break
  sleep 0.1
done

# Ten screenshots a second, the program's own rate; without a window
# manager its window lies at the top left and fills the screen.
start=$(date +%s%N)
for ((frame = 0; frame < 60; ++frame)); do
  xwd -root -silent >"$FRAMES/$(printf %03d $frame).xwd" 2>/dev/null
  next=$((start + (frame + 1) * 100000000))
  now=$(date +%s%N)
  ((next > now)) && sleep "$(printf '0.%09d' $((next - now)))"
done
xdotool windowfocus "${window:-0}" key Escape
wait "$PROGRAM_PID"
code=$?

convert -delay 10 -loop 0 "$FRAMES"/0*.xwd -layers Optimize "$ROOT/build/pennydance-x11.gif"
convert "$FRAMES/059.xwd" "$ROOT/build/pennydance-x11.png"
rm -rf "$FRAMES"
echo "recorded: build/pennydance-x11.gif (60 frames, 10 a second), build/pennydance-x11.png"
echo "pennydance exited with $code"
