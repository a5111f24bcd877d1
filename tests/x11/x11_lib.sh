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
