#!/bin/bash
# Ending a full-screen saver with real input on the X display, as a person
# would, and what a preview ignores.
source "$(dirname "$0")/e2e_lib.sh" "$@"
OUT="$SHOTS/dismissal.out"

still_runs() {
  sleep 0.5
  kill -0 "$LAST_PROBE_PID" 2>/dev/null && saver_window_exists && echo runs || echo ended
}

# Pointer movement: the saver keeps running up to 4 pixels (city-block) from
# where the pointer was and ends beyond. Rows: first move | second move.
moves=("4 0|1 0" "0 -4|0 -1" "2 2|1 0" "-3 -1|0 -1" "0 0|5 0")
for row in "${moves[@]}"; do
  reset_pointer
  start_saver "$OUT" 20000 "$NT_SAVER" /s
  wait_saver_in_front >/dev/null
  read -r dx dy <<<"${row%|*}"
  xdotool mousemove_relative -- "$dx" "$dy"
  check "moved $dx,$dy: keeps running" runs "$(still_runs)"
  read -r dx dy <<<"${row#*|}"
  xdotool mousemove_relative -- "$dx" "$dy"
  check "then $dx,$dy more: ends with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
done

# Everything else a person does ends it at once.
inputs=("key a" "key space" "key shift" "click 1" "click 3" "click 2")
for input in "${inputs[@]}"; do
  reset_pointer
  start_saver "$OUT" 20000 "$NT_SAVER" /s
  wait_saver_in_front >/dev/null
  xdotool $input
  check "$input ends it with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
done

# Another program coming to the front ends it too.
reset_pointer
start_saver "$OUT" 20000 "$NT_SAVER" /s
wait_saver_in_front >/dev/null
check "another window takes the front" 0 \
  "$("$WINE64" "$PROBE_EXE" activate 1000 >/dev/null 2>&1; echo $?)"
check "deactivation ends it with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"

# A preview ignores the pointer, the keys and clicks; only its parent going ends it.
start_preview "$SHOTS/preview.out" 5000 20000 "$NT_SAVER"
preview="$(wait_preview "$SHOTS/preview.out")"
point_into "$preview"
xdotool mousemove_relative 30 20 click 1 key a key Escape mousemove_relative -- -40 -30
sleep 0.5
check "the preview is still there after input" "$(field "$preview" window)" \
  "$(field "$(probe window "$(field "$preview" window)")" window)"
check "the preview ends with 0 when its parent goes" 0x00000000 \
  "$(saver_exit_code "$SHOTS/preview.out" "$LAST_PROBE_PID")"

finish
