#!/bin/bash
# A long run of the real saver at its heaviest settings: its private bytes,
# read from outside every SOAK_INTERVAL seconds for SOAK_SECONDS, must stay
# flat once it has settled, and it must still be running and end on a key
# press at the end. CI runs a minute of it; `make soak` half an hour.
source "$(dirname "$0")/e2e_lib.sh" "$@"
OUT="$SHOTS/soak.out"
TABLE="$SHOTS/soak-table.txt"
SOAK_SECONDS="${SOAK_SECONDS:-60}"
SOAK_INTERVAL="${SOAK_INTERVAL:-10}"
# What the sheet, the back bitmap and the motion hold is allocated before the
# first picture; after that a step allocates nothing, so private bytes may
# only move by what Wine itself rounds up or caches.
ALLOWED_SPREAD=65536

[[ $SOAK_SECONDS =~ ^[0-9]+$ && $SOAK_INTERVAL =~ ^[1-9][0-9]*$ ]] ||
  { echo "SOAK_SECONDS and SOAK_INTERVAL are whole seconds (interval above 0)"; exit 2; }

# The settings stored before go back when the soak ends, however it ends.
SAVED_SETTINGS="$SHOTS/settings-before.reg"
rm -f "$SAVED_SETTINGS"
"$WINE64" reg export "$SETTINGS_KEY" "$(windows_path "$SAVED_SETTINGS")" /y >/dev/null 2>&1 ||
  rm -f "$SAVED_SETTINGS"
restore_settings() {
  clear_settings
  [[ -f $SAVED_SETTINGS ]] && "$WINE64" reg import "$(windows_path "$SAVED_SETTINGS")" >/dev/null 2>&1
  true
}
trap 'cleanup; restore_settings' EXIT

# The heaviest run: every character, at double size, at the top speed.
clear_settings
store_settings Number 256 Zoom 2 MoveSpeed 256
check "Number stored" 0x100 "$(reg_value "$SETTINGS_KEY" Number)"
check "Zoom stored" 0x2 "$(reg_value "$SETTINGS_KEY" Zoom)"
check "MoveSpeed stored" 0x100 "$(reg_value "$SETTINGS_KEY" MoveSpeed)"

# private_bytes: the saver's private bytes, or nothing when it cannot be read.
private_bytes() { probe memory "$SAVER_PROCESS" | sed -n 's/^private=\([0-9]*\)$/\1/p'; }

reset_pointer
# The probe's own limit only ends a saver that outlives the whole soak.
start_saver "$OUT" $(((SOAK_SECONDS + 300) * 1000)) "$NT_SAVER" /s
window="$(wait_saver_in_front)"
check "the saver's window is in front" 1 "$(field "$window" foreground)"

# Samples at 0, SOAK_INTERVAL, 2 x SOAK_INTERVAL ... SOAK_SECONDS after the
# window came to the front, each timed from that start so that slow probes
# do not add up. The first one is taken while the saver settles in.
start="$EPOCHREALTIME"
elapsed=() bytes=() unread=0
for ((at = 0; at <= SOAK_SECONDS; at += SOAK_INTERVAL)); do
  wait_s="$(awk -v s="$start" -v a="$at" -v n="$EPOCHREALTIME" 'BEGIN {w = s + a - n; print (w > 0 ? w : 0)}')"
  sleep "$wait_s"
  value="$(private_bytes)"
  [[ -n $value ]] || { unread=$((unread + 1)); value=unread; }
  elapsed+=("$(awk -v s="$start" -v n="$EPOCHREALTIME" 'BEGIN {printf "%.0f", n - s}')")
  bytes+=("$value")
done
check "every sample read" 0 "$unread"

# The table: the first counted sample is the one at the end of the first
# interval; every difference is against it.
{
  echo "Private bytes of pennydance.scr /s (Number 256, Zoom 2, MoveSpeed 256), a sample every" \
    "$SOAK_INTERVAL s for $SOAK_SECONDS s; allowed spread from the sample at $SOAK_INTERVAL s on:" \
    "$ALLOWED_SPREAD bytes."
  printf '%10s %14s %14s\n' "elapsed s" "private bytes" "difference"
  base="${bytes[1]:-}"
  for ((i = 0; i < ${#bytes[@]}; ++i)); do
    difference=-
    [[ $base =~ ^[0-9]+$ && ${bytes[i]} =~ ^[0-9]+$ ]] && difference=$((bytes[i] - base))
    printf '%10s %14s %14s%s\n' "${elapsed[i]}" "${bytes[i]}" "$difference" \
      "$([[ $i -eq 0 ]] && echo "  (settling, not counted)")"
  done
} | tee "$TABLE"

counted=("${bytes[@]:1}")
check_that "the soak spans two or more counted samples" "2 or more samples after the first interval" \
  "$([[ ${#counted[@]} -ge 2 ]] && echo true)"
if [[ ${#counted[@]} -ge 2 && $unread -eq 0 ]]; then
  read -r low high <<<"$(printf '%s\n' "${counted[@]}" | sort -n | sed -n '1p;$p' | tr '\n' ' ')"
  last=$((${#bytes[@]} - 1))
  seconds=$((elapsed[last] - elapsed[1]))
  growth=$((bytes[last] - bytes[1]))
  echo "spread (max - min) from the sample at ${elapsed[1]} s on: $((high - low)) bytes;" \
    "growth $growth bytes over $seconds s ($(awk -v g="$growth" -v s="$seconds" \
    'BEGIN {printf "%.0f", (s > 0 ? g * 60 / s : 0)}') bytes per minute)" | tee -a "$TABLE"
  check_that "private bytes stay flat" "max - min within $ALLOWED_SPREAD bytes" \
    "$([[ $((high - low)) -le $ALLOWED_SPREAD ]] && echo true)"
fi

# Still running and still drawing at the end, and a person's key ends it.
running=false
kill -0 "$LAST_PROBE_PID" 2>/dev/null && [[ -n $(private_bytes) ]] && running=true
check_that "the saver is still running" "its probe waits and its memory reads" "$running"
check_that "its window is still there" "the full-screen window exists" \
  "$(saver_window_exists && echo true)"
nonblack="$(screenshot soak-end | sed -n '1s/.*nonblack=\([0-9]*\).*/\1/p')"
check_that "it still draws characters" "non-black pixels" "$([[ ${nonblack:-0} -gt 0 ]] && echo true)"
if [[ $running == true ]]; then
  point_into "$window"
  xdotool key k
  check "a key press ends it with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
else
  check "a key press ends it with 0" 0x00000000 \
    "ended before the key press: $(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
fi

finish
