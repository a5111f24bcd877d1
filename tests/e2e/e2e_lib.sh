# Sourced by every end-to-end suite. The suites watch pennydance.scr only
# from outside: through the probe (a Win32 program of ours run with Wine in
# the same prefix and display), xdotool's real input on the X display,
# screenshots of that display, and the registry through `wine64 reg`.
#
# Usage: source e2e_lib.sh PROBE_EXE MODULE_DIR SCREEN_REGIONS OUTPUT_DIR ARCH
# MODULE_DIR holds the copies of the module under test, built for ARCH (i686
# or x86_64); the probe and `reg` are 64-bit programs either way.
# WINEPREFIX, DISPLAY, WINE64 and PENNYDANCE_32BIT_START_MS come from
# tools/run-tests.sh.
set -uo pipefail
PROBE_EXE="$1"
MODULE_DIR="$2"
SCREEN_REGIONS="$3"
: "${WINE64:=/usr/lib/wine/wine64}"
export LC_ALL=ja_JP.UTF-8
SHOTS="$4"  # screenshots and the probes' reports
MODULE_ARCH="${5:-x86_64}"
mkdir -p "$SHOTS"
# Every time limit of the probe counts from a start of the module, which
# takes longer for a 32-bit one where it runs under qemu-user.
if [[ $MODULE_ARCH == i686 ]]; then
  export PENNYDANCE_START_ALLOWANCE_MS="${PENNYDANCE_32BIT_START_MS:-0}"
else
  export PENNYDANCE_START_ALLOWANCE_MS=0
fi
CHECKS=0
FAILURES=0
BACKGROUND_PIDS=()
# Windows process ids of the savers seen, one per line (written from subshells too).
SAVER_PIDS_FILE="$SHOTS/saver-pids"
: >"$SAVER_PIDS_FILE"

# A path as the Windows side sees it (winepath would cost a 32-bit start).
windows_path() { local p; p="$(realpath -m "$1")"; echo "Z:${p//\//\\}"; }
NT_SAVER="$(windows_path "$MODULE_DIR/pennydance_nt.scr")"
SAVER_9X="$(windows_path "$MODULE_DIR/pennydance9x.scr")"

probe() { "$WINE64" "$PROBE_EXE" "$@" 2>/dev/null | tr -d '\r'; }

# check NAME EXPECTED ACTUAL
check() {
  CHECKS=$((CHECKS + 1))
  if [[ "$2" == "$3" ]]; then
    echo "ok   $1"
  else
    FAILURES=$((FAILURES + 1))
    echo "FAIL $1: expected [$2], got [$3]"
  fi
}

# check_that NAME CONDITION_TEXT true|false
check_that() { check "$1" "$2" "$([[ $3 == true ]] && echo "$2" || echo "not ($2)")"; }

finish() {
  echo "$CHECKS checks, $FAILURES failed"
  [[ $FAILURES -eq 0 ]]
}

# Whatever a failed case left running: the probes we started, and every
# saver process they reported, by process id.
cleanup() {
  local pid
  for pid in $(sort -u "$SAVER_PIDS_FILE"); do
    "$WINE64" taskkill /F /PID "$pid" >/dev/null 2>&1
  done
  for pid in "${BACKGROUND_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${BACKGROUND_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
  BACKGROUND_PIDS=()
}
trap cleanup EXIT

# started_process OUTFILE: the Windows process id the probe reported on
# starting the module (waits up to 10 s and the start allowance for it),
# remembered for the clean-up.
started_process() {
  local i pid=
  for ((i = 0; i < 200 + PENNYDANCE_START_ALLOWANCE_MS / 50; ++i)); do
    pid="$(tr -d '\r' <"$1" | sed -n 's/^started process=//p')"
    [[ -n $pid ]] && break
    sleep 0.05
  done
  [[ -n $pid ]] && echo "$pid" >>"$SAVER_PIDS_FILE"
  echo "$pid"
}

# start_saver OUTFILE TIMEOUT_MS MODULE TAIL...: the probe starts the module
# as the desktop does and, when it ends, writes its exit code to OUTFILE.
# SAVER_PROCESS is the module's process id, LAST_PROBE_PID the probe's.
start_saver() {
  local out="$1" timeout="$2"
  shift 2
  : >"$out"
  "$WINE64" "$PROBE_EXE" run "$timeout" "$@" >"$out" 2>/dev/null &
  LAST_PROBE_PID=$!
  BACKGROUND_PIDS+=("$LAST_PROBE_PID")
  SAVER_PROCESS="$(started_process "$out")"
}

# start_preview OUTFILE RUN_MS TIMEOUT_MS MODULE [TAIL]
start_preview() {
  local out="$1"
  shift
  : >"$out"
  "$WINE64" "$PROBE_EXE" preview "$@" >"$out" 2>/dev/null &
  LAST_PROBE_PID=$!
  BACKGROUND_PIDS+=("$LAST_PROBE_PID")
  SAVER_PROCESS="$(started_process "$out")"
}

# Waits for the probe of start_saver to end (it kills the saver at its own
# timeout) and prints the exit code it reported, or "timeout" when it had to
# kill the saver. (The probe's own end is watched, not waited for: bash may
# already have collected it while waiting for another.)
saver_exit_code() {
  local out="$1" pid="$2" code
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  wait "$pid" 2>/dev/null
  tr -d '\r' <"$out" | grep -q '^timeout' && { echo timeout; return; }
  code="$(tr -d '\r' <"$out" | sed -n 's/^exit code=//p')"
  echo "${code:-no report: $(tr -d '\r' <"$out" | tr '\n' ' ')}"
}

# wait_foreground LINE: the window's report once it is in front (a saver
# takes the front when its creation has ended), or the last report after 3 s.
wait_foreground() {
  local line="$1" i
  for ((i = 0; i < 60; ++i)); do
    [[ "$(field "$line" foreground)" == 1 ]] && break
    sleep 0.05
    line="$(probe window "$(field "$line" window)")"
  done
  echo "$line"
}

# The report of the last started saver's full-screen window once it is in front.
wait_saver_in_front() { wait_foreground "$(wait_window WindowsScreenSaverClass "Screen Saver")"; }

# wait_preview OUTFILE: the report line of the preview window inside the
# parent that start_preview's probe made.
wait_preview() {
  local parent= i
  for ((i = 0; i < 200; ++i)); do
    parent="$(tr -d '\r' <"$1" | sed -n 's/^parent=//p')"
    [[ -n $parent ]] && break
    sleep 0.05
  done
  probe child "${parent:-0}" WindowsScreenSaverClass 10000
}

# wait_window CLASS TITLE [PROCESS_ID]: the probe's report line of that
# process's window (default: the last one started), or "no window".
wait_window() { probe wait "$1" "$2" 10000 "${3:-$SAVER_PROCESS}"; }

# field LINE NAME: one name=value field of a probe report.
field() { LC_ALL=C sed -n "s/.* $2=\\(\"[^\"]*\"\\|[^ ]*\\).*/\\1/p" <<<" $1"; }

saver_window_exists() { [[ "$(probe find WindowsScreenSaverClass "Screen Saver")" != "no window" ]]; }

# Sleeps in small steps until the probe reported its end, at most $2 seconds.
probe_ended_within() {
  local pid="$1" seconds="$2" i
  for ((i = 0; i < seconds * 10; ++i)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# screenshot NAME [WINDOW]: the whole X display, or that window, as
# $SHOTS/NAME.png; prints the report of screen_regions.
screenshot() {
  local source=(-root)
  [[ -n ${2:-} ]] && source=(-id "$2")
  xwd "${source[@]}" -silent | convert xwd:- "$SHOTS/$1.png"
  convert "$SHOTS/$1.png" ppm:- | "$SCREEN_REGIONS"
}

# stat_of REPORT NAME: one figure of the first line of screen_regions' report.
stat_of() { sed -n "1s/.*$2=\\([0-9]*\\).*/\\1/p" <<<"$1"; }

reg_value() {
  "$WINE64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n {print $3}'
}

SETTINGS_KEY='HKCU\Software\Orvalex\Pennydance'
clear_settings() { "$WINE64" reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1; true; }
# store_settings NAME VALUE...: REG_DWORD values, as the dialog stores them.
store_settings() {
  while (($# >= 2)); do
    "$WINE64" reg add "$SETTINGS_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
    shift 2
  done
}

# point_into LINE: the pointer into the middle of the window the probe
# reported, where the display sends the keys (there is no window manager).
point_into() {
  local rect
  rect="$(field "$1" rect)"
  IFS='(,)' read -r _ left top right bottom <<<"$rect"
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2))
}

# Keys go to the X window that has the focus, which Wine moves there a moment
# after the window came to the front, and which the process that had it may
# still take back: waits (at most 3 s) until the window under the pointer has it.
wait_keyboard_focus() {
  local i under
  for ((i = 0; i < 60; ++i)); do
    under="$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')"
    [[ -n $under && "$(xdotool getwindowfocus)" == "$under" ]] && return 0
    sleep 0.05
  done
  return 1
}

# Pointer to the middle before a case, so that every case starts alike.
reset_pointer() { xdotool mousemove 400 300; }
