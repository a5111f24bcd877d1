#!/bin/bash
# pennydance-xscreensaver add|remove on the settings files a user may have,
# each compared line by line with what it was: none at all, one written by a
# real xscreensaver-settings (which must keep Pennydance when it writes the
# file again), one that already lists Pennydance (enabled or disabled), one
# without a list of programs, and ones it cannot read, which it leaves alone.
# Usage: xscreensaver_list.sh COMMAND OUTPUT_DIR
source "$(dirname "$0")/../e2e/e2e_lib.sh" none none none "$2"
source "$(dirname "$0")/../x11/x11_lib.sh"
DEFAULTS=/etc/X11/app-defaults/XScreenSaver
ENTRY=$'\t\t\t\tpennydance --root\t\t\t    '

use_saver_user
make_saver_home
leave_with_saver_user
# A copy the user can run wherever the source tree is.
COMMAND="$PLACE/pennydance-xscreensaver"
cp "$1" "$COMMAND"
chmod 755 "$COMMAND"
FILE="$HOME_DIR/.xscreensaver"
CASES="$SHOTS/cases"
mkdir -p "$CASES"

# run add|remove: SAID is what the command printed, STATUS its exit status.
run() {
  SAID="$(as_user "$COMMAND" "$1" 2>&1)"
  STATUS=$?
}

# start_from FILE|none: the user's settings file (and no backup) before a case.
start_from() {
  rm -f "$FILE" "$FILE.bak"
  if [[ $1 != none ]]; then
    cp "$1" "$FILE"
    chown "$SAVER_USER" "$FILE"
  fi
}

# What changed from FILE to the user's file, as diff says it; "same" for nothing.
changes_from() { diff "$1" "$FILE" >"$CASES/diff" 2>&1 && echo same || head -12 "$CASES/diff"; }

# The daemon's own list as a user's file spells it, Pennydance after it.
default_list_with_pennydance() {
  sed -n '/^\*programs:/,/[^\\]$/p' "$DEFAULTS" | sed '1s/^\*//; $s/$/\\/'
  printf '%s\\n\n' "$ENTRY"
}

# The settings as a real xscreensaver-settings writes them: it writes the
# file when a setting changes, here "Blank After" by one minute with its +
# button (at its place in the 800 x 600 screen without a window manager).
settings_program_writes() {
  local before
  before="$(stat -c %.9Y "$FILE" 2>/dev/null)"
  as_user xscreensaver-settings >>"$SHOTS/settings.log" 2>&1 &
  BACKGROUND_PIDS+=($!)
  wait_output some 20 xdotool search --name '^xscreensaver-settings$' >/dev/null
  sleep 2
  xdotool mousemove 269 424 click 1
  wait_output some 10 eval '[[ $(stat -c %.9Y "$FILE" 2>/dev/null) != "$before" ]] && echo written' >/dev/null
  end_user_processes
}

x11_start_xvfb 24 -ac

# No file: the daemon's defaults with Pennydance after them.
start_from none
run add
default_list_with_pennydance >"$CASES/expected-none"
check "none: add creates it from the daemon's list" "0 same" "$STATUS $(changes_from "$CASES/expected-none")"
run add
check "none: add once more changes nothing" "0 same" "$STATUS $(changes_from "$CASES/expected-none")"
run remove
check "none: remove puts it back to none" "0 gone" "$STATUS $([[ -e $FILE ]] && echo there || echo gone)"

# Written by xscreensaver-settings: one line more, after the last entry.
start_from none
settings_program_writes
cp "$FILE" "$CASES/settings-written"
check_that "xscreensaver-settings wrote a list of programs" "a programs setting" \
  "$([[ $(grep -c '^programs:' "$CASES/settings-written") == 1 ]] && echo true)"
last_entry="$(grep -n '\\n\\$' "$CASES/settings-written" | tail -1 | cut -d: -f1)"
run add
cp "$FILE" "$CASES/settings-added"
check "settings: add inserts one line after the last entry" \
  "0 ${last_entry}a$((last_entry + 1))"$'\n'"> $ENTRY\\n\\" "$STATUS $(changes_from "$CASES/settings-written")"
check "settings: the backup is the file as it was" same \
  "$(cmp -s "$CASES/settings-written" "$FILE.bak" && echo same)"
run add
check "settings: add once more changes nothing" "0 same" "$STATUS $(changes_from "$CASES/settings-added")"
run remove
check "settings: remove puts it back" "0 same" "$STATUS $(changes_from "$CASES/settings-written")"
run add
settings_program_writes
check "settings: xscreensaver-settings writes the file again (Blank After 12) and keeps Pennydance" "1 1" \
  "$(grep -c $'^timeout:\t0:12:00$' "$FILE") $(grep -c '^[[:space:]]*pennydance --root[[:space:]]*\\n\\$' "$FILE")"

# Already listed: enabled, nothing to do; disabled, only its dash goes.
sed "s/^$ENTRY/-$ENTRY/" "$CASES/settings-added" >"$CASES/settings-disabled"
while IFS='|' read -r name start expected; do
  start_from "$CASES/$start"
  run add
  check "listed $name: add" "0 same" "$STATUS $(changes_from "$CASES/$expected")"
  check "listed $name: a backup only of a change" "$([[ $start == "$expected" ]] && echo none || echo kept)" \
    "$([[ -e $FILE.bak ]] && echo kept || echo none)"
done <<'TABLE'
enabled|settings-added|settings-added
disabled|settings-disabled|settings-added
TABLE

# No list of programs: the daemon's appended after an empty line, and taken away again.
printf 'mode:\t\tone\nselected:\t3\nlock:\t\tFalse\n' >"$CASES/no-programs"
{ cat "$CASES/no-programs"; echo; default_list_with_pennydance; } >"$CASES/no-programs-added"
start_from "$CASES/no-programs"
run add
check "no programs: add appends the daemon's list" "0 same" "$STATUS $(changes_from "$CASES/no-programs-added")"
run remove
check "no programs: remove takes it away" "0 same" "$STATUS $(changes_from "$CASES/no-programs")"

# Files it cannot read: refused, unchanged, no backup.
sed '3a this line is no setting' "$CASES/settings-written" >"$CASES/stray-line"
{ cat "$CASES/settings-written"; echo 'programs: pennydance --root'; } >"$CASES/twice"
while IFS='|' read -r start reason; do
  for action in add remove; do
    start_from "$CASES/$start"
    run "$action"
    check "$start: $action refuses, saying why" "1 1" "$STATUS $(grep -c "$reason.*nothing changed" <<<"$SAID")"
    check "$start: $action changes nothing" "same none" \
      "$(changes_from "$CASES/$start") $([[ -e $FILE.bak ]] && echo kept || echo none)"
  done
done <<'TABLE'
stray-line|line 4 is neither a setting nor a comment
twice|sets programs twice
TABLE

if [[ $(id -u) -eq 0 ]]; then
  mkdir "$PLACE/root-home"
  said="$(HOME="$PLACE/root-home" "$COMMAND" add 2>&1)"
  check "as root: refused, nothing written" "1 1 0" \
    "$? $(grep -c 'not as root' <<<"$said") $(find "$PLACE/root-home" -mindepth 1 | wc -l)"
fi

finish
