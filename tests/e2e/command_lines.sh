#!/bin/bash
# Random argument tails against the real module: each ends with the exit
# code that the rules of the command line predict, within its time, and
# leaves no window behind. The start value is printed, and each failure
# shows its tail, so a failing run can be repeated with E2E_START=value.
source "$(dirname "$0")/e2e_lib.sh" "$@"
OUT="$SHOTS/command_lines.out"
TAILS="${E2E_TAILS:-60}"  # E2E_TAILS=200 for a longer run
START="${E2E_START:-$((RANDOM * 32768 + RANDOM))}"
RANDOM="$START"
echo "start value $START ($TAILS tails)"
MINUS_ONE=0xFFFFFFFF

# The letters that matter most often, then anything printable, tabs and
# bytes of the upper half.
PIECES=(" " "-" "/" "s" "S" "p" "P" "l" "L" "c" "C" "a" "A" "x" "0" "1" "7" ":" $'\t' "  " "12345"
        "4294967297" $'\xd3' $'\x81\x40' "z" "?" "\"")

random_tail() {
  local tail= n=$((1 + RANDOM % 5)) i
  for ((i = 0; i < n; ++i)); do tail+="${PIECES[RANDOM % ${#PIECES[@]}]}"; done
  echo -n "$tail"
}

# predict TAIL: "configure", "run", or an exit code; "skip" when a preview
# handle happens to name a real window (the outcome would depend on it).
predict() {
  local tail="$1" c digits handle
  # Blanks and tabs right after the program name belong to the separator.
  tail="${tail#"${tail%%[!$' \t']*}"}"
  while [[ -n $tail ]]; do
    c="${tail:0:1}"
    case "$c" in
      " " | - | /) tail="${tail:1}" ;;
      s | S) echo run; return ;;
      c | C) echo configure; return ;;
      p | P | l | L)
        tail="${tail:1}"
        tail="${tail#"${tail%%[! ]*}"}"
        digits="${tail%%[!0-9]*}"
        handle=$(( ${digits:-0} % 4294967296 ))
        if ((handle != 0)) && [[ "$(probe window "$handle")" != "no window" ]]; then
          echo skip
        else
          echo "$MINUS_ONE"
        fi
        return ;;
      *) echo "$MINUS_ONE"; return ;;  # "a" too: this is an NT-family platform
    esac
  done
  echo configure
}

# The pieces are only ever joined by the probe, so the tail stays one argument.
tried=0
for ((t = 0; t < TAILS; ++t)); do
  tail="$(random_tail)"
  expected="$(predict "$tail")"
  [[ $expected == skip ]] && continue
  tried=$((tried + 1))
  shown="[$(printf '%q' "$tail")]"
  reset_pointer
  start_saver "$OUT" 15000 "$NT_SAVER" "$tail"
  case "$expected" in
    run)
      line="$(wait_saver_in_front)"
      check "tail $shown shows the saver" 1 "$(field "$line" visible)"
      wait_keyboard_focus
      xdotool key k
      expected=0x00000000 ;;
    configure)
      line="$(wait_window "#32770" -)"
      check "tail $shown shows the dialog" 1 "$(field "$line" visible)"
      point_into "$line"
      wait_keyboard_focus
      xdotool key Escape
      expected=0x00000002 ;;
  esac
  result="$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
  if [[ $result != "$expected" ]]; then
    check "tail $shown ends with $expected" "$expected" "$result"
  else
    CHECKS=$((CHECKS + 1))
  fi
  if [[ "$(probe wait - - 0 "$SAVER_PROCESS")" != "no window" ]]; then
    check "tail $shown leaves no window behind" "no window" "$(probe wait - - 0 "$SAVER_PROCESS")"
  fi
done
echo "$tried tails run"
finish
