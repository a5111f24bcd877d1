#!/bin/bash
# Hostile stored settings. Each of the six values may be a REG_DWORD, a
# REG_BINARY or a REG_SZ of 0 to 16 bytes, made from a boundary value:
# -2^31, -1, 0, 1, each edge of its range and one past it, 2^31 - 1. A run
# stores one such case under every name at once, lets the real full-screen
# saver take 50 steps (5 s) and ends it with a key: it must still be running
# by then, end with 0 and leave no window. HOSTILE_RUNS runs (default 12)
# walk through the table; 459 cover every case of every name.
source "$(dirname "$0")/e2e_lib.sh" "$@"
RUNS="${HOSTILE_RUNS:-12}"
OUT="$SHOTS/hostile.out"
SETTINGS_SUBKEY='Software\Orvalex\Pennydance'

names=(Zoom Number MoveSpeed RotSpeed RotTimeMin RotTimeMax)
lowest=(1 1 0 0 0 1)
highest=(2 256 256 64 999 999)
types=(4 3 1)
type_names=(REG_DWORD REG_BINARY REG_SZ)
SIZES=17
VALUES=9
CASES=$((3 * SIZES * VALUES))

restore() {
  clear_settings
  cleanup
}
trap restore EXIT

boundary_value() {  # NAME_INDEX VALUE_INDEX
  local v=$1
  local values=(-2147483648 -1 0 1 $((lowest[v] - 1)) "${lowest[v]}" "${highest[v]}"
                $((highest[v] + 1)) 2147483647)
  echo "${values[$2]}"
}

# hex_bytes TYPE_INDEX SIZE VALUE: the stored bytes as hexadecimal. A number
# is its four little-endian bytes, a text its UTF-16 characters and their
# terminating zero, either repeated or cut to the size.
hex_bytes() {
  local unit= i text
  if (($1 < 2)); then
    unit="$(printf '%08x' $(($3 & 0xFFFFFFFF)) | sed 's/\(..\)\(..\)\(..\)\(..\)/\4\3\2\1/')"
  else
    text="$3"
    for ((i = 0; i < ${#text}; ++i)); do unit+="$(printf '%02x00' "'${text:i:1}")"; done
    unit+=0000
  fi
  local hex=
  while ((${#hex} < $2 * 2)); do hex+="$unit"; done
  hex="${hex:0:$(($2 * 2))}"
  echo "${hex:--}"
}

for ((run = 0; run < RUNS; ++run)); do
  clear_settings
  described=
  for v in "${!names[@]}"; do
    # Ten apart per run, so the value, the size and the type all change
    # from one run to the next and every case comes once in CASES runs.
    index=$(((10 * run + 31 * v) % CASES))
    value="$(boundary_value "$v" $((index % VALUES)))"
    size=$((index % SIZES))
    type=$(((index / VALUES) % 3))
    probe store "$SETTINGS_SUBKEY" "${names[v]}" "${types[type]}" \
      "$(hex_bytes "$type" "$size" "$value")" >/dev/null
    described+=" ${names[v]}=${type_names[type]}:${size}:${value}"
  done
  echo "run $((run + 1)):$described"
  reset_pointer
  start_saver "$OUT" 30000 "$NT_SAVER" /s
  window="$(wait_saver_in_front)"
  sleep 5
  check "run $((run + 1)): still running after 50 steps" runs \
    "$(saver_window_exists && echo runs || echo ended)"
  point_into "$window"
  xdotool key x
  check "run $((run + 1)): a key ends it with 0" 0x00000000 \
    "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
  check "run $((run + 1)): no window left" "no window" \
    "$(probe find WindowsScreenSaverClass "Screen Saver")"
done
echo "$RUNS runs, $((RUNS * ${#names[@]})) stored cases of $((CASES * ${#names[@]}))"
finish
