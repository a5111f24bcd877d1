#!/bin/bash
# What a person sees: screenshots of the X display while the saver runs.
source "$(dirname "$0")/e2e_lib.sh" "$@"
OUT="$SHOTS/picture.out"
SPRITE=112

# regions_within REPORT SIZE: how many groups fit a SIZE x SIZE square.
regions_within() {
  awk -v s="$2" '$1 == "region" && $4 - $2 <= s && $5 - $3 <= s {n++} END {print n + 0}' <<<"$1"
}
# The bounding box of every group of one or more reports, as "x0 y0 x1 y1".
union_box() {
  awk '$1 == "region" {if (!n++ || $2 < a) a = $2; if (n == 1 || $3 < b) b = $3;
       if ($4 > c) c = $4; if ($5 > d) d = $5} END {print a, b, c, d}' <<<"$1"
}

run_and_shoot() {
  reset_pointer
  start_saver "$OUT" 30000 "$NT_SAVER" /s
  wait_saver_in_front >/dev/null
}

# The defaults: four characters, each in its own 112 x 112 square, the rest black.
clear_settings
run_and_shoot
sleep 2
report="$(screenshot default-run)"
nonblack="$(stat_of "$report" nonblack)"
check_that "characters drawn" "non-black pixels" "$([[ $nonblack -gt 0 ]] && echo true)"
check_that "the rest is black" "at most 4 squares of non-black pixels" \
  "$([[ $nonblack -le $((4 * SPRITE * SPRITE)) ]] && echo true)"
# Four characters at random places sometimes overlap for a while, so a few
# more looks, a second apart, may show them apart.
separate="$(regions_within "$report" $SPRITE)"
for ((look = 1; look < 4 && separate < 2; ++look)); do
  sleep 1
  separate="$(regions_within "$(screenshot "default-run-$look")" $SPRITE)"
done
check_that "several separate characters" "2 or more groups within 112 x 112 in one of 4 looks" \
  "$([[ $separate -ge 2 ]] && echo true)"
check "no key colour anywhere" 0 "$(stat_of "$report" key)"
xdotool key k
check "the default run ends with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"

# One character that does not move: it turns in place, always in one square.
store_settings Number 1 MoveSpeed 0
run_and_shoot
sleep 1
first="$(screenshot still-1)"
sleep 2
second="$(screenshot still-2)"
check "one character at first" 1 "$(stat_of "$first" regions)"
check "one character later" 1 "$(stat_of "$second" regions)"
read -r x0 y0 x1 y1 <<<"$(union_box "$first"$'\n'"$second")"
check_that "it stays in one square" "both within one 112 x 112 square" \
  "$([[ $((x1 - x0)) -le $SPRITE && $((y1 - y0)) -le $SPRITE ]] && echo true)"
check "no key colour" 0 "$(( $(stat_of "$first" key) + $(stat_of "$second" key) ))"
xdotool key k
check "that run ends with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
clear_settings

finish
