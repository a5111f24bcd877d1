#!/bin/bash
# The X11 program as a hack of a real xscreensaver daemon (Debian's 6.06) in
# an Xvfb of the suite's own: activated, the characters show; -deactivate
# ends the hack, and nothing of it is left. The daemon refuses to start
# hacks as root, so it runs as an unprivileged user (see x11_lib.sh).
# With a copy of PROGRAM, the settings file lists only that copy. With
# ADD_COMMAND (the installed program and pennydance-xscreensaver), the
# daemon starts from a settings file without a list of programs, the command
# adds Pennydance to the user's list while the daemon runs, and the daemon
# runs the installed hack by name, picked by its number in that list.
# Usage: x11_xscreensaver.sh PROGRAM SCREEN_REGIONS OUTPUT_DIR [ADD_COMMAND]
source "$(dirname "$0")/../e2e/e2e_lib.sh" none none "$2" "$3"
source "$(dirname "$0")/x11_lib.sh"
PROGRAM="$1"
ADD_COMMAND="${4:-}"

use_saver_user
make_saver_home
leave_with_saver_user

cat >"$HOME_DIR/.xscreensaver" <<SETTINGS
mode: one
selected: 0
lock: False
splash: False
fade: False
unfade: False
SETTINGS
RUNS="$(realpath "$PROGRAM")"
if [[ -z $ADD_COMMAND ]]; then
  RUNS="$PLACE/pennydance"
  cp "$PROGRAM" "$RUNS"
  chmod 755 "$RUNS"
  echo "programs: $RUNS --root" >>"$HOME_DIR/.xscreensaver"
fi
chown -R "$SAVER_USER" "$HOME_DIR"

# -ac: the unprivileged user's clients may connect.
x11_start_xvfb 24 -ac
daemon_answers() { as_user xscreensaver-command -time >/dev/null 2>&1 && echo yes; }
# Beside the other suites' X servers, xscreensaver 6.06 now and then ends
# with 1 right after it logs its process id, before it looks at a single
# input device, and says nothing (about 1 run in 12 of this suite run beside
# the others); then it is started once more.
for start in first second; do
  as_user xscreensaver -no-splash -verbose >>"$SHOTS/daemon.log" 2>&1 &
  daemon=$!
  BACKGROUND_PIDS+=("$daemon")
  answer="$(wait_output some 10 daemon_answers)"
  [[ -n $answer ]] || kill -0 "$daemon" 2>/dev/null && break
  echo "the daemon's $start start ended without answering"
done
check "the daemon answers" yes "$answer"

if [[ -z $ADD_COMMAND ]]; then
  as_user xscreensaver-command -activate >/dev/null 2>&1
else
  said="$(as_user "$ADD_COMMAND" add 2>&1)"
  check "$(basename "$ADD_COMMAND") add says the running daemon reads the file" 1 \
    "$(grep -c 'running xscreensaver reads the changed file' <<<"$said")"
  # Its number in the list, counted from 1 as -select counts: one entry a line.
  number="$(awk '/^programs:/ {on = 1} on && /\\n/ {n++} on && /pennydance --root/ {print n; exit}' \
    "$HOME_DIR/.xscreensaver")"
  as_user xscreensaver-command -select "${number:-0}" >/dev/null 2>&1
fi
check_hack_on_screen "the daemon" "$RUNS" "the program under test"
hack="$HACK"

as_user xscreensaver-command -deactivate >/dev/null 2>&1
check "-deactivate ends the hack" "" "$(wait_output none 10 hack_processes)"
# The daemon's own helpers may hold segments of the user's a while longer.
check "no shared memory of the hack is left" 0 \
  "$(for pid in $hack; do shared_segments_of "$pid"; done | awk '{n += $1} END {print n + 0}')"

as_user xscreensaver-command -exit >/dev/null 2>&1
check "no process of $SAVER_USER is left" "" "$(wait_output none 10 user_processes)"

finish
