#!/bin/bash
# The X11 program under real X servers (Xvfb), watched from outside: drawing
# into a window of the test's own (--window-id), a resize, the ends it must
# take with 0, bad options, and the visuals it draws on or refuses.
# Usage: x11_window.sh PROGRAM STAGE SCREEN_REGIONS OUTPUT_DIR
source "$(dirname "$0")/../e2e/e2e_lib.sh" none none "$3" "$4"
source "$(dirname "$0")/x11_lib.sh"
PROGRAM="$1"
STAGE="$2"
SPRITE=112
ERR="$SHOTS/stderr.txt"

# start_stage WIDTH HEIGHT [argb]: STAGE_ID is the window, STAGE_PID the
# program that holds it.
start_stage() {
  local out="$SHOTS/stage.out"
  : >"$out"
  "$STAGE" "$@" >"$out" &
  STAGE_PID=$!
  BACKGROUND_PIDS+=("$STAGE_PID")
  STAGE_ID="$(wait_output some 5 cat "$out")"
}
stop_stage() { kill "$STAGE_PID"; wait "$STAGE_PID" 2>/dev/null; }

# start_program ARGUMENTS...: PROGRAM_PID
start_program() {
  "$PROGRAM" "$@" 2>"$ERR" &
  PROGRAM_PID=$!
  BACKGROUND_PIDS+=("$PROGRAM_PID")
}

# resize_until NAME WIDTH HEIGHT CONDITION: the stage resized, then looked
# at every 0.3 s (at most 3 s) until CONDITION, a test on the look, holds;
# LOOK is screen_regions' report of the last look.
resize_until() {
  local i
  xdotool windowsize "$STAGE_ID" "$2" "$3"
  for ((i = 0; i < 10; ++i)); do
    sleep 0.3
    LOOK="$(screenshot "$1" "$STAGE_ID")"
    eval "$4" && return 0
  done
  return 1
}
lit() { stat_of "$LOOK" nonblack; }

# ---- A true-colour display, a window of the test's own --------------------
x11_start_xvfb 24
start_stage 640 480
start_program --window-id "$STAGE_ID"
sleep 1.5
report="$(screenshot window-id "$STAGE_ID")"
check_that "characters drawn into the given window" "non-black pixels" \
  "$([[ $(stat_of "$report" nonblack) -gt 0 ]] && echo true)"
check_that "the rest of it is black (its grey is painted over)" "at most 4 squares of non-black" \
  "$([[ $(stat_of "$report" nonblack) -le $((4 * SPRITE * SPRITE)) ]] && echo true)"
check "no key colour" 0 "$(stat_of "$report" key)"
kill -TERM "$PROGRAM_PID"
wait_exit "$PROGRAM_PID" 5
check "SIGTERM ends it with 0" 0 "$EXITED"
check "it leaves no shared memory behind" 0 "$(shared_segments_of "$PROGRAM_PID")"
check "and says nothing" "" "$(cat "$ERR")"

# Stopped within its first milliseconds, as xscreensaver's settings dialog
# does when a person runs through its list: once it has connected to the
# display (so its main has begun), while it builds the sheet and the picture.
ends=() left=0
for delay in 0 0.002 0.005 0.01 0.02; do
  start_program --window-id "$STAGE_ID"
  until find "/proc/$PROGRAM_PID/fd" -lname 'socket:*' 2>/dev/null | grep -q .; do :; done
  sleep "$delay"
  kill -TERM "$PROGRAM_PID"
  wait_exit "$PROGRAM_PID" 5
  ends+=("$EXITED")
  left=$((left + $(shared_segments_of "$PROGRAM_PID")))
done
check "SIGTERM 0 to 20 ms after it connected ends it with 0 each time" "0 0 0 0 0" "${ends[*]}"
check "and no shared memory outlives those runs" 0 "$left"

# One fast character: after the window shrinks, it stays inside the new
# size (the limits follow), so every look shows it whole.
start_program --window-id "$STAGE_ID" --number 1 --move-speed 48
sleep 0.5
xdotool windowsize "$STAGE_ID" 300 240
sleep 0.5
looks_whole=0
for ((look = 0; look < 6; ++look)); do
  report="$(screenshot "resized-$look" "$STAGE_ID")"
  [[ $(stat_of "$report" nonblack) -gt 2000 && $(stat_of "$report" key) -eq 0 ]] && looks_whole=$((looks_whole + 1))
  sleep 0.3
done
check "after the resize the picture is 300 x 240" "300x240" \
  "$(identify -format '%wx%h' "$SHOTS/resized-0.png")"
check "the character is seen in every look after the resize" 6 "$looks_whole"
kill -INT "$PROGRAM_PID"
wait_exit "$PROGRAM_PID" 5
check "SIGINT ends it with 0" 0 "$EXITED"

# A window smaller than two characters: the preview's one character
# spinning in place.
xdotool windowsize "$STAGE_ID" 200 150
start_program --window-id "$STAGE_ID"
sleep 1
first="$(screenshot preview-1 "$STAGE_ID")"
sleep 1
second="$(screenshot preview-2 "$STAGE_ID")"
check "one character in a small window" "1 1" "$(stat_of "$first" regions) $(stat_of "$second" regions)"
check_that "it stays in one square" "at most one 112 x 112 square of non-black each time" \
  "$([[ $(stat_of "$first" nonblack) -le $((SPRITE * SPRITE)) && $(stat_of "$second" nonblack) -le $((SPRITE * SPRITE)) ]] && echo true)"

# The preview rule follows the size both ways, and however small the
# window, the middle of a character stays in view.
one="$(stat_of "$first" nonblack)"
several='[[ $(lit) -gt $((one * 2)) ]]'
single='[[ $(stat_of "$LOOK" regions) -eq 1 && $(lit) -le $((SPRITE * SPRITE)) ]]'
resize_until grown 640 480 "$several"
check_that "grown past 224, the settings' four characters" "more than twice the preview's pixels" \
  "$(eval "$several" && echo true)"
resize_until shrunk 200 150 "$single"
check_that "shrunk below 224 again, the preview's one" "1 region, at most one square" \
  "$(eval "$single" && echo true)"
seen=""
for size in "100 80" "40 30" "1 1" "100 80"; do
  resize_until "tiny-${size/ /x}" $size '[[ $(lit) -gt 0 ]]'
  seen+="$([[ $(lit) -gt 0 ]] && echo 1 || echo 0)"
done
check "in windows of 100 x 80, 40 x 30, 1 x 1 and 100 x 80 a character is in view" 1111 "$seen"
resize_until regrown 640 480 "$several"
check_that "grown again, the characters fill the window again" "more than twice the preview's pixels" \
  "$(eval "$several" && echo true)"
xdotool windowsize "$STAGE_ID" 200 150

# The window goes away under it (as xscreensaver's preview does).
stop_stage
wait_exit "$PROGRAM_PID" 5
check "the window's destruction ends it with 0" 0 "$EXITED"

# A 32-bit ARGB window on the same display.
start_stage 400 300 argb
start_program --window-id "$STAGE_ID"
sleep 1
report="$(screenshot argb "$STAGE_ID")"
check_that "characters drawn into a 32-bit window" "non-black pixels, no key colour" \
  "$([[ $(stat_of "$report" nonblack) -gt 0 && $(stat_of "$report" key) -eq 0 ]] && echo true)"
kill -TERM "$PROGRAM_PID"
wait_exit "$PROGRAM_PID" 5
check "that run ends with 0" 0 "$EXITED"
stop_stage

# ---- The command line -----------------------------------------------------
while IFS='|' read -r arguments code says; do
  # shellcheck disable=SC2086
  "$PROGRAM" $arguments >"$SHOTS/stdout.txt" 2>"$ERR"
  check "pennydance $arguments exits with $code" "$code" "$?"
  check_that "pennydance $arguments says $says" "$says" \
    "$(grep -qF -- "$says" "$SHOTS/stdout.txt" "$ERR" && echo true)"
done <<'CASES'
--number abc|2|bad value "abc" for --number
--zoom|2|"--zoom" needs a value
--bogus 1|2|unknown option "--bogus"
--window-id 12x|2|bad window id "12x"
--window-id 0x100200002|2|bad window id "0x100200002"
--help|0|--rot-time-max N
CASES

XSCREENSAVER_WINDOW=0x100200002 "$PROGRAM" --root 2>"$ERR"
check "a \$XSCREENSAVER_WINDOW beyond the X ids ends it with 1" 1 "$?"
check_that "saying so" "is not a window id" "$(grep -q 'is not a window id' "$ERR" && echo true)"

cleanup

# ---- Other displays -------------------------------------------------------
# 16 bits per pixel (5-6-5), on the root window.
x11_start_xvfb 16
start_program --root
sleep 1.5
report="$(screenshot root-16bit)"
check_that "characters drawn on a 16-bit root window" "non-black pixels, at most 4 squares" \
  "$([[ $(stat_of "$report" nonblack) -gt 0 && $(stat_of "$report" nonblack) -le $((4 * SPRITE * SPRITE)) ]] && echo true)"
kill -TERM "$PROGRAM_PID"
wait_exit "$PROGRAM_PID" 5
check "that run ends with 0" 0 "$EXITED"
cleanup

# 8 bits per pixel: refused, saying why.
x11_start_xvfb 8
start_program --root
wait_exit "$PROGRAM_PID" 5
check "an 8-bit display ends it with 1" 1 "$EXITED"
check_that "it names the visual" "PseudoColor in its message" \
  "$(grep -q 'cannot draw on a PseudoColor visual of depth 8' "$ERR" && echo true)"
cleanup

# No MIT-SHM (as on a remote display) at 16 bits per pixel: plain XPutImage,
# whose rows Xlib pads to 32 bits, so odd widths take two bytes more.
x11_start_xvfb 16 -extension MIT-SHM
start_stage 301 240
start_program --window-id "$STAGE_ID"
sleep 1
LOOK="$(screenshot odd-width "$STAGE_ID")"
odd="$(lit)"
resize_until odd-width-resized 401 300 '[[ $(lit) -gt 0 ]]'
check_that "a 301- and then 401-pixel-wide window drawn in" "non-black pixels, at most 4 squares, in both" \
  "$([[ $odd -gt 0 && $odd -le $((4 * SPRITE * SPRITE)) && $(lit) -gt 0 && $(lit) -le $((4 * SPRITE * SPRITE)) ]] && echo true)"
kill -TERM "$PROGRAM_PID"
wait_exit "$PROGRAM_PID" 5
check "that run ends with 0" 0 "$EXITED"
stop_stage

# Its own window there.
check_that "that display offers no MIT-SHM" "no MIT-SHM" \
  "$(xdpyinfo -queryExtensions | grep -q MIT-SHM || echo true)"
start_program
own="$(wait_output some 5 xdotool search --name '^Pennydance$')"
check "its own window is 800 x 600" "800x600" \
  "$([[ -n $own ]] && xwininfo -id "$own" 2>/dev/null | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')"
sleep 1
report="$(screenshot own-window "${own:-root}")"
check_that "characters drawn without MIT-SHM" "non-black pixels, no key colour" \
  "$([[ $(stat_of "$report" nonblack) -gt 0 && $(stat_of "$report" key) -eq 0 ]] && echo true)"
xdotool windowfocus "${own:-0}" key Escape
wait_exit "$PROGRAM_PID" 5
check "Escape in its own window ends it with 0" 0 "$EXITED"
check "its window is gone" "" "$(xdotool search --name '^Pennydance$' 2>/dev/null)"

finish
