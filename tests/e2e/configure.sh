#!/bin/bash
# The configuration dialog driven as a person drives it: what it shows, what
# typing and OK store in the registry, and that Escape stores nothing.
source "$(dirname "$0")/e2e_lib.sh" "$@"
OUT="$SHOTS/configure.out"
# Control identifiers: the two zoom buttons, the five fields, the version, OK.
STANDARD=1000 DOUBLE=1001 NUMBER=1002 MOVE=1006 ROTATE=1008 MIN=1010 MAX=1012 VERSION=1005 OK=1
FIELDS=("$NUMBER" "$MOVE" "$ROTATE" "$MIN" "$MAX")

open_dialog() {
  start_saver "$OUT" 30000 "$NT_SAVER" /c
  DIALOG="$(wait_window "#32770" -)"
}

# What the dialog shows: "standard double number move rotate min max".
shown() {
  local report
  report="$(probe dialog - "$STANDARD" "$DOUBLE" "${FIELDS[@]}")"
  echo $(grep -o 'check=[0-9]*' <<<"$report" | head -2 | cut -d= -f2) \
    $(LC_ALL=C sed -n 's/.* text="\([^"]*\)".*/\1/p' <<<"$report" | tail -5)
}

# click_item ID: a real click in the middle of the control.
click_item() { point_into "$(probe dialog - "$1")"; xdotool click 1; }

# type_into ID TEXT: clicks into the field, clears it and types TEXT.
type_into() {
  click_item "$1"
  xdotool key End $(printf 'BackSpace %.0s' {1..12})
  [[ -n $2 ]] && xdotool type --delay 20 "$2"
}

# The six stored values in table order, "-" for an absent one.
stored() {
  local name value
  for name in Zoom Number MoveSpeed RotSpeed RotTimeMin RotTimeMax; do
    value="$(reg_value "$SETTINGS_KEY" "$name")"
    printf '%s ' "${value:--}"
  done
}

press_escape() { point_into "$DIALOG"; wait_keyboard_focus; xdotool key Escape; }

# No settings: the defaults, and Escape leaves the registry without the key.
clear_settings
open_dialog
check "defaults shown" "1 0 4 8 16 16 48" "$(shown)"
check "version shown" '"Version.1.02"' "$(field "$(probe dialog - "$VERSION")" text)"
press_escape
check "Escape ends with 2" 0x00000002 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
check "Escape stores nothing" "- - - - - - " "$(stored)"

# Typed values and what OK stores. Rows: zoom button|number|move|rotate|min|max
# => the stored six (hexadecimal, as reg shows them).
typed=(
  "$DOUBLE|12|100|20|30|40 => 0x2 0xc 0x64 0x14 0x1e 0x28 "
  "$STANDARD|300|abc|100|20|10 => 0x1 0x100 0x0 0x40 0x14 0x15 "
  "$STANDARD||0|0|0|0 => 0x1 0x1 0x0 0x0 0x0 0x1 "
  "$DOUBLE|256|256|64|500|2000 => 0x2 0x100 0x100 0x40 0x1f4 0x3e7 "
)
for row in "${typed[@]}"; do
  IFS='|' read -r zoom number move rotate min max <<<"${row% => *}"
  open_dialog
  click_item "$zoom"
  type_into "$NUMBER" "$number"
  type_into "$MOVE" "$move"
  type_into "$ROTATE" "$rotate"
  type_into "$MIN" "$min"
  type_into "$MAX" "$max"
  click_item "$OK"
  check "typed ${row% => *}: OK ends with 1" 0x00000001 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
  check "typed ${row% => *}: stored" "${row#* => }" "$(stored)"
done

# Escape after typing stores nothing.
before="$(stored)"
open_dialog
type_into "$NUMBER" 99
press_escape
check "Escape after typing ends with 2" 0x00000002 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
check "Escape after typing stores nothing" "$before" "$(stored)"

# Out-of-range values stored by other means are shown as stored and
# brought into range by OK (-5 reads back as 4294967291, which counts as 0).
clear_settings
store_settings Zoom 3 Number 1000 MoveSpeed 0xfffffffb RotSpeed 100 RotTimeMin 999 RotTimeMax 5
open_dialog
check "out-of-range set shown" "0 1 1000 4294967291 100 999 5" "$(shown)"
click_item "$OK"
check "OK ends with 1" 0x00000001 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
check "out-of-range set bounded" "0x2 0x100 0x0 0x40 0x3e6 0x3e7 " "$(stored)"
clear_settings

finish
