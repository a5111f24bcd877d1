# Sourced by the X11 program's suites after tests/e2e/e2e_lib.sh (whose
# check, check_that, finish and background clean-up they share): X servers
# of their own, waiting for what the program does, and its leftovers.

source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"

# x11_start_xvfb DEPTH [XVFB ARGUMENTS...]: xvfb_start, stopped by the clean-up.
x11_start_xvfb() {
  xvfb_start "$@"
  BACKGROUND_PIDS+=("$XVFB_PID")
}

# wait_output some|none SECONDS COMMAND...: runs COMMAND every tenth of a
# second until it prints something (some) or nothing (none), at most SECONDS;
# prints what it printed last.
wait_output() {
  local want="$1" tries=$(($2 * 10)) out i
  shift 2
  for ((i = 0; i < tries; ++i)); do
    out="$("$@" 2>/dev/null)"
    [[ ($want == some && -n $out) || ($want == none && -z $out) ]] && break
    sleep 0.1
  done
  echo "$out"
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

# The screen savers run no display modes for root, so as root the suites run
# them as an unprivileged user of their own (pennydance-saver: created when
# missing, with no home and no login shell), else as the caller.
SAVER_USER=pennydance-saver
use_saver_user() {
  if [[ $(id -u) -ne 0 ]]; then
    SAVER_USER="$(id -un)"
  elif ! id "$SAVER_USER" >/dev/null 2>&1; then
    useradd --system --no-create-home --shell /usr/sbin/nologin "$SAVER_USER"
  fi
}

# as_user COMMAND...: COMMAND as that user, in HOME_DIR and on this DISPLAY.
as_user() {
  if [[ $(id -u) -eq 0 ]]; then
    runuser -u "$SAVER_USER" -- env HOME="$HOME_DIR" DISPLAY="${DISPLAY:-}" "$@"
  else
    env HOME="$HOME_DIR" DISPLAY="${DISPLAY:-}" "$@"
  fi
}

# A home for that user in a fresh folder it can reach: HOME_DIR, in PLACE.
make_saver_home() {
  PLACE="$(mktemp -d)"
  chmod 755 "$PLACE"
  HOME_DIR="$PLACE/home"
  mkdir "$HOME_DIR"
  chown "$SAVER_USER" "$HOME_DIR"
}

# Processes of that user, and its display modes named pennydance.
user_processes() { pgrep -u "$SAVER_USER" | tr '\n' ' '; }
hack_processes() { pgrep -u "$SAVER_USER" -x pennydance | tr '\n' ' '; }

# Whatever of the user's is still running was started by this suite.
end_user_processes() {
  local pid
  for pid in $(user_processes); do kill "$pid" 2>/dev/null; done
}

# leave_with_saver_user [COMMAND]: at the suite's end, COMMAND, then whatever
# of the user's it started, its servers and PLACE go.
leave_with_saver_user() {
  LEAVE_FIRST="${1:-true}"
  trap 'eval "$LEAVE_FIRST"; end_user_processes; cleanup; rm -rf "$PLACE"' EXIT
}

# check_hack_on_screen STARTER PROGRAM WHICH: a screen saver (STARTER) has
# started a display mode of the user's that is PROGRAM (named WHICH), and a
# moment later its characters show: at most four squares, no key colour.
HACK_SPRITE=112
check_hack_on_screen() {
  local hack report
  hack="$(wait_output some 10 hack_processes)"
  check_that "$1 starts pennydance" "a pennydance process of $SAVER_USER" "$([[ -n $hack ]] && echo true)"
  check "it is $3" "$2" "$(for pid in $hack; do readlink "/proc/$pid/exe"; done | sort -u)"
  sleep 2
  report="$(screenshot activated)"
  check_that "characters on the screen" "non-black pixels, at most 4 squares" \
    "$([[ $(stat_of "$report" nonblack) -gt 0 &&
          $(stat_of "$report" nonblack) -le $((4 * HACK_SPRITE * HACK_SPRITE)) ]] && echo true)"
  check "no key colour" 0 "$(stat_of "$report" key)"
  HACK="$hack"
}
