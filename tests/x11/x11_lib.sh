# Sourced by the X11 program's suites after tests/e2e/e2e_lib.sh (whose
# check, check_that, finish and background clean-up they share): X servers
# of their own, screenshots of one window, and the program's leftovers.

# x11_start_xvfb DEPTH [XVFB ARGUMENTS...]: a new Xvfb at 800 x 600 on a free
# display (-displayfd, so it never clashes with the Wine tests' displays);
# exports DISPLAY. Stopped by the clean-up.
x11_start_xvfb() {
  local depth="$1" fifo display
  shift
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 "800x600x$depth" -nolisten tcp "$@" 9>"$fifo" >/dev/null 2>&1 &
  BACKGROUND_PIDS+=("$!")
  read -r display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display"
}

# window_shot NAME WINDOW: that window's pixels as $SHOTS/NAME.png; prints
# screen_regions' report of them.
window_shot() {
  xwd -id "$2" -silent | convert xwd:- "$SHOTS/$1.png"
  convert "$SHOTS/$1.png" ppm:- | "$SCREEN_REGIONS"
}
root_shot() {
  xwd -root -silent | convert xwd:- "$SHOTS/$1.png"
  convert "$SHOTS/$1.png" ppm:- | "$SCREEN_REGIONS"
}

stat_of() { sed -n "1s/.*$2=\\([0-9]*\\).*/\\1/p" <<<"$1"; }

# wait_exit PID SECONDS: EXITED is the exit code of that background job of
# this shell once it ended, or "still running" (it is then killed).
wait_exit() {
  local pid="$1" i
  for ((i = 0; i < $2 * 20; ++i)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    EXITED="still running"
  else
    wait "$pid"
    EXITED=$?
  fi
}

# shared_segments_of PID: System V shared memory segments that process
# created and that still exist.
shared_segments_of() { ipcs -m -p | awk -v pid="$1" '$3 == pid' | wc -l; }
