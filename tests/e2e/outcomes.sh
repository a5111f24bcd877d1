#!/bin/bash
# Every command-line outcome, with its exit code read in full by the probe:
# what each argument tail starts, and how it ends.
source "$(dirname "$0")/e2e_lib.sh" "$@"
OUT="$SHOTS/outcomes.out"
MINUS_ONE=0xFFFFFFFF

# Tails that must end at once with -1, without any window.
refused=("/x" "/1" $'/\ts' "/p:1234" "/p" "/p 0" "/p 99999999" "+s" "/a" "/A 12")
for tail in "${refused[@]}"; do
  result="$(probe run 15000 "$NT_SAVER" "$tail" | sed -n 's/^exit code=//p')"
  check "tail [${tail//$'\t'/<tab>}] ends with -1" "$MINUS_ONE" "$result"
done
check "no saver window left behind" "no window" "$(probe find WindowsScreenSaverClass -)"

# Tails that run full-screen; each window as the desktop expects it, ended by a key.
mkdir -p "$SHOTS/My Screen Savers"
cp "$MODULE_DIR/pennydance_nt.scr" "$SHOTS/My Screen Savers/pennydance.scr"
SPACED="\"$(windows_path "$SHOTS/My Screen Savers/pennydance.scr")\""
runs=("/s" "S" "- - s" "//s" "/s anything")
for tail in "${runs[@]}" "spaced:/s"; do
  reset_pointer
  if [[ $tail == spaced:* ]]; then
    name="quoted name with spaces, /s"
    start_saver "$OUT" 20000 "$SPACED" "${tail#spaced:}"
  else
    name="tail [$tail]"
    start_saver "$OUT" 20000 "$NT_SAVER" "$tail"
  fi
  line="$(wait_saver_in_front)"
  check "$name: style" 0x96000000 "$(field "$line" style)"
  check "$name: topmost" 8 "$(( $(field "$line" exstyle) & 8 ))"
  check "$name: whole screen" "(0,0,800,600)" "$(field "$line" rect)"
  check "$name: in front" 1 "$(field "$line" foreground)"
  wait_keyboard_focus
  xdotool key k
  check "$name: a key ends it with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
done

# One full-screen saver at a time: a second start ends at once with 0.
reset_pointer
start_saver "$OUT" 30000 "$NT_SAVER" /s
first="$(wait_saver_in_front)"
check "second /s ends at once with 0" 0x00000000 "$(probe run 15000 "$NT_SAVER" /s | sed -n 's/^exit code=//p')"
again="$(probe find WindowsScreenSaverClass "Screen Saver")"
check "the first saver still runs" "$(field "$first" window)" "$(field "$again" window)"
check "the first saver is in front" 1 "$(field "$again" foreground)"
wait_keyboard_focus
xdotool key k
check "the first saver ends with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"

# Previews into a parent window of the probe's; the parent going ends them.
previews=("/p {handle}" "-p{handle}" "/P   {handle}" "/l {handle}" "/p {handle}abc"
          "/p {handle+2^32}")
for tail in "${previews[@]}"; do
  probe preview 1500 15000 "$NT_SAVER" "$tail" >"$OUT"
  report="$(tr -d '\r' <"$OUT")"
  parent="$(sed -n 's/^parent=//p' <<<"$report")"
  child="$(grep '^window=' <<<"$report")"
  check "tail [$tail]: child of the probe's window" "$parent" "$(field "$child" parent)"
  check "tail [$tail]: titled Preview" '"Preview"' "$(field "$child" title)"
  check "tail [$tail]: child style" 0x52000000 "$(field "$child" style)"
  check "tail [$tail]: fills the parent" "(100,100,252,212)" "$(field "$child" rect)"
  check "tail [$tail]: ends with 0 when the parent goes" 0x00000000 \
    "$(sed -n 's/^exit code=//p' <<<"$report")"
done

# A preview is no full-screen saver: /s still starts while one is shown.
start_preview "$SHOTS/preview.out" 6000 20000 "$NT_SAVER"
preview_probe=$LAST_PROBE_PID
wait_preview "$SHOTS/preview.out" >/dev/null
reset_pointer
start_saver "$OUT" 20000 "$NT_SAVER" /s
line="$(wait_saver_in_front)"
check "/s starts beside a preview, in front" 1 "$(field "$line" foreground)"
wait_keyboard_focus
xdotool key k
check "that run ends with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
check "the preview ends with 0 when its parent goes" 0x00000000 \
  "$(saver_exit_code "$SHOTS/preview.out" "$preview_probe")"

# Configure: "/c" is owned by the foreground window, an empty tail by none.
# The window holds the front until the module has started.
"$WINE64" "$PROBE_EXE" activate $((6000 + PENNYDANCE_START_ALLOWANCE_MS)) >"$SHOTS/front.out" 2>/dev/null &
front_probe=$!
BACKGROUND_PIDS+=("$front_probe")
sleep 1
front="$(tr -d '\r' <"$SHOTS/front.out" | sed -n 's/^window=//p')"
for row in "/c:1234|$front" "|0x0"; do
  tail="${row%%|*}"
  start_saver "$OUT" 20000 "$NT_SAVER" ${tail:+"$tail"}
  line="$(wait_window "#32770" -)"
  check "tail [$tail]: dialog owner" "${row#*|}" "$(field "$line" parent)"
  point_into "$line"
  wait_keyboard_focus
  xdotool key Escape
  check "tail [$tail]: Escape ends with 2" 0x00000002 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
done
wait "$front_probe" 2>/dev/null

finish
