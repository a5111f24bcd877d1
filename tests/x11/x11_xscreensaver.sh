#!/bin/bash
# The X11 program as a hack of a real xscreensaver daemon (Debian's 6.06) in
# an Xvfb of the suite's own, with a settings file listing only Pennydance:
# -activate shows the characters, -deactivate ends the hack, and nothing of
# it is left. The daemon refuses to start hacks as root, so it runs as an
# unprivileged user; run as root, the suite creates that user
# (pennydance-saver, no home, no login shell) when it is missing.
# Usage: x11_xscreensaver.sh PROGRAM SCREEN_REGIONS OUTPUT_DIR
source "$(dirname "$0")/../e2e/e2e_lib.sh" none none "$2" "$3"
source "$(dirname "$0")/x11_lib.sh"
PROGRAM="$1"
SPRITE=112
SAVER_USER=pennydance-saver

if [[ $(id -u) -eq 0 ]]; then
  if ! id "$SAVER_USER" >/dev/null 2>&1; then
    useradd --system --no-create-home --shell /usr/sbin/nologin "$SAVER_USER"
  fi
  as_user() { runuser -u "$SAVER_USER" -- env HOME="$HOME_DIR" DISPLAY="$DISPLAY" "$@"; }
else
  SAVER_USER="$(id -un)"
  as_user() { env HOME="$HOME_DIR" DISPLAY="$DISPLAY" "$@"; }
fi

# The program and the daemon's home in a place the user can reach.
PLACE="$(mktemp -d)"
chmod 755 "$PLACE"
HOME_DIR="$PLACE/home"
mkdir "$HOME_DIR"
cp "$PROGRAM" "$PLACE/pennydance"
chmod 755 "$PLACE/pennydance"
cat >"$HOME_DIR/.xscreensaver" <<SETTINGS
mode: one
selected: 0
lock: False
splash: False
fade: False
unfade: False
programs: $PLACE/pennydance --root
SETTINGS
chown -R "$SAVER_USER" "$HOME_DIR"

hack_processes() { pgrep -u "$SAVER_USER" -f "^$PLACE/pennydance" | tr '\n' ' '; }
user_processes() { pgrep -u "$SAVER_USER" | tr '\n' ' '; }

leave() {
  # Whatever of the user's is still running was started by this suite.
  local pid
  for pid in $(user_processes); do kill "$pid" 2>/dev/null; done
  cleanup
  rm -rf "$PLACE"
}
trap leave EXIT

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

as_user xscreensaver-command -activate >/dev/null 2>&1
hack="$(wait_output some 10 hack_processes)"
check_that "-activate starts pennydance" "a pennydance process of $SAVER_USER" \
  "$([[ -n $hack ]] && echo true)"
sleep 2
report="$(screenshot activated)"
check_that "characters on the screen" "non-black pixels, at most 4 squares" \
  "$([[ $(stat_of "$report" nonblack) -gt 0 && $(stat_of "$report" nonblack) -le $((4 * SPRITE * SPRITE)) ]] && echo true)"
check "no key colour" 0 "$(stat_of "$report" key)"

as_user xscreensaver-command -deactivate >/dev/null 2>&1
check "-deactivate ends the hack" "" "$(wait_output none 10 hack_processes)"
# The daemon's own helpers may hold segments of the user's a while longer.
check "no shared memory of the hack is left" 0 \
  "$(for pid in $hack; do shared_segments_of "$pid"; done | awk '{n += $1} END {print n + 0}')"

as_user xscreensaver-command -exit >/dev/null 2>&1
check "no process of $SAVER_USER is left" "" "$(wait_output none 10 user_processes)"

finish
