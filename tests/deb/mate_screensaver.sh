#!/bin/bash
# The installed package under MATE's real screen saver (mate-screensaver),
# as an unprivileged user in an Xvfb and a D-Bus session of the suite's own:
# with the theme set to Pennydance's saver entry, --activate runs the
# installed program on its window and the characters show; --deactivate ends
# it, and --exit leaves nothing running.
# Usage: mate_screensaver.sh SCREEN_REGIONS OUTPUT_DIR
source "$(dirname "$0")/../e2e/e2e_lib.sh" none none "$1" "$2"
source "$(dirname "$0")/../x11/x11_lib.sh"
INSTALLED=/usr/libexec/xscreensaver/pennydance

use_saver_user
make_saver_home
BUS_PID=
leave_with_saver_user '[[ -n $BUS_PID ]] && kill "$BUS_PID" 2>/dev/null'


x11_start_xvfb 24 -ac
# The session's settings in the suite's folder, not in a real dconf; MATE
# shows only its own saver entries and those for MATE.
bus="$(as_user dbus-daemon --session --fork --print-address=1 --print-pid=1)"
BUS_PID="$(sed -n 2p <<<"$bus")"
in_session() {
  as_user env DBUS_SESSION_BUS_ADDRESS="$(head -1 <<<"$bus")" XDG_CONFIG_HOME="$HOME_DIR/.config" \
    XDG_CURRENT_DESKTOP=MATE LC_ALL=C "$@"
}
in_session gsettings set org.mate.screensaver mode single
in_session gsettings set org.mate.screensaver themes "['screensavers-pennydance']"
in_session gsettings set org.mate.screensaver lock-enabled false
check "the theme is set" "['screensavers-pennydance']" "$(in_session gsettings get org.mate.screensaver themes)"

in_session mate-screensaver --no-daemon >"$SHOTS/mate-screensaver.log" 2>&1 &
BACKGROUND_PIDS+=($!)
saver_answers() { in_session mate-screensaver-command --query 2>/dev/null | grep -q 'inactive' && echo yes; }
check "mate-screensaver answers" yes "$(wait_output some 10 saver_answers)"

in_session mate-screensaver-command --activate >/dev/null 2>&1
check_hack_on_screen "--activate" "$INSTALLED" "the installed program"
hack="$HACK"

in_session mate-screensaver-command --deactivate >/dev/null 2>&1
check "--deactivate ends the program" "" "$(wait_output none 10 hack_processes)"
check "no shared memory of the program is left" 0 \
  "$(for pid in $hack; do shared_segments_of "$pid"; done | awk '{n += $1} END {print n + 0}')"

in_session mate-screensaver-command --exit >/dev/null 2>&1
kill "$BUS_PID" 2>/dev/null
BUS_PID=
check "no process of $SAVER_USER is left" "" "$(wait_output none 10 user_processes)"

finish
