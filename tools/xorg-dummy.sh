# Sourced by the scripts that need several monitors: Xorg with the dummy
# video driver, whose outputs xrandr arranges (Wine 8 does not see Xvfb's
# Xinerama heads). Xorg runs as root here, as the test runs do.
#
#   xorg_dummy_start WORK_DIR     starts it on a free display, exports DISPLAY;
#                                 XORG_PID is its process
#   xorg_dummy_layout one|right|left
#                                 the 800 x 600 primary alone, or with a
#                                 640 x 480 monitor to its right or left
#   xorg_dummy_stop
# A wineserver reads the monitors when it starts: restart it after a layout.

xorg_dummy_start() {
  local work="$1" fifo display
  mkdir -p "$work"
  cat >"$work/xorg-dummy.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 2048 1024
  EndSubSection
EndSection
CONF
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xorg -displayfd 9 -noreset -nolisten tcp -config "$work/xorg-dummy.conf" \
    -logfile "$work/xorg-dummy.log" 9>"$fifo" >/dev/null 2>&1 &
  XORG_PID=$!
  read -r -t 30 display <"$fifo"
  rm -f "$fifo"
  [[ -n $display ]] || { echo "Xorg with the dummy driver did not start: see $work/xorg-dummy.log"; return 1; }
  export DISPLAY=":$display"
  xrandr --newmode 640x480_60 23.86 640 656 720 800 480 483 487 500 -hsync +vsync &&
    xrandr --addmode DUMMY1 640x480_60
}

xorg_dummy_layout() {
  case "$1" in
    one) xrandr --output DUMMY1 --off --output DUMMY0 --mode 800x600 --pos 0x0 --primary --fb 800x600 ;;
    right) xrandr --output DUMMY0 --mode 800x600 --pos 0x0 --primary \
                  --output DUMMY1 --mode 640x480_60 --pos 800x0 ;;
    left) xrandr --output DUMMY1 --mode 640x480_60 --pos 0x0 \
                 --output DUMMY0 --mode 800x600 --pos 640x0 --primary ;;
    *) echo "xorg_dummy_layout: one, right or left"; return 1 ;;
  esac
  # Wine reads the outputs without asking the server to probe them; until a
  # client has, it sees only the primary after the first layout.
  xrandr --query >/dev/null
}

xorg_dummy_stop() {
  if [[ -n ${XORG_PID:-} ]]; then
    kill "$XORG_PID" 2>/dev/null
    wait "$XORG_PID" 2>/dev/null
    XORG_PID=
  fi
  true
}
