#!/bin/bash
# Several monitors: the full-screen saver covers every one of them. An X
# display of its own (Xorg with the dummy driver, whose monitors xrandr
# arranges) and so a Wine prefix of its own, since a wineserver stays bound
# to the display it started on.
source "$(dirname "$0")/e2e_lib.sh" "$@"
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-env.sh" "$SHOTS/prefix"
source "$ROOT/tools/test-prefix-settings.sh"
source "$ROOT/tools/xorg-dummy.sh"
OUT="$SHOTS/monitors.out"
# The desktop's colour, which no character has.
DESKTOP='#3A6EA5'

stop_display() {
  cleanup
  wine_stop
  xorg_dummy_stop
  rm -rf "$WINEPREFIX"
}
trap stop_display EXIT

# pixels_of SHOT GEOMETRY COLOUR: how many pixels of that part have that colour.
pixels_of() {
  convert "$1" -crop "$2" +repage -format %c histogram:info:- |
    awk -v c="$3" 'toupper($0) ~ c {n += $1} END {print n + 0}'
}
nonblack_in() { convert "$1" -crop "$2" +repage ppm:- | "$SCREEN_REGIONS" | sed -n '1s/^nonblack=\([0-9]*\).*/\1/p'; }

wine_make_prefix
xorg_dummy_start "$SHOTS" || exit 1
xsetroot -solid "$DESKTOP"

# layout NAME: the monitors arranged, and a wineserver that has read them.
layout() {
  wine_stop
  xorg_dummy_layout "$1"
  wine_start
}

# start_covering NAME RECT: the saver started full-screen, and its window
# checked against the rectangle it must cover; its report is in $line.
start_covering() {
  reset_pointer
  start_saver "$OUT" 30000 "$NT_SAVER" /s
  line="$(wait_saver_in_front)"
  check "$1: the window covers $2" "$2" "$(field "$line" rect)"
}

end_with_key() {
  wait_keyboard_focus
  xdotool key k
  check "a key ends it with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
}

layout right
apply_test_prefix_settings
screenshot desktop >/dev/null
check "before the saver, the desktop fills the right monitor" $((640 * 480)) \
  "$(pixels_of "$SHOTS/desktop.png" 640x480+800+0 "$DESKTOP")"
# Enough characters that both monitors show some.
store_settings Number 32
start_covering "second monitor on the right" "(0,0,1440,600)"
sleep 2
screenshot two-monitors >/dev/null
for monitor in "primary 800x600+0+0" "right 640x480+800+0"; do
  read -r name geometry <<<"$monitor"
  check "no desktop on the $name monitor" 0 "$(pixels_of "$SHOTS/two-monitors.png" "$geometry" "$DESKTOP")"
  characters=$(($(nonblack_in "$SHOTS/two-monitors.png" "$geometry") -
                 $(pixels_of "$SHOTS/two-monitors.png" "$geometry" "$DESKTOP")))
  check_that "characters on the $name monitor" "pixels neither black nor desktop" \
    "$([[ $characters -gt 0 ]] && echo true)"
done
end_with_key

# Wine 8 puts Win32 coordinates straight onto X's, so left of the primary
# only the window's rectangle can be checked, not its pixels.
layout left
start_covering "second monitor on the left" "(-640,0,800,600)"
end_with_key

layout one
start_covering "one monitor" "(0,0,800,600)"
check "one monitor: the same style" 0x96000000 "$(field "$line" style)"
sleep 1
screenshot one-monitor >/dev/null
check "no desktop on the one monitor" 0 "$(pixels_of "$SHOTS/one-monitor.png" 800x600+0+0 "$DESKTOP")"
end_with_key

finish
