# Sourced by the scripts and suites that need a virtual display.
# xvfb_start DEPTH [XVFB ARGUMENTS...]: a new 800 x 600 Xvfb on a free display
# (-displayfd, so that runs side by side never clash); exports DISPLAY, and
# XVFB_PID is its process.
xvfb_start() {
  local depth="$1" fifo display
  shift
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 "800x600x$depth" -nolisten tcp "$@" 9>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display"
}
