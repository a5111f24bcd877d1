#!/bin/bash
# The failure box of a refused saver window, in the locale each case sets,
# read from outside as wide characters: a Japanese user interface gets the
# Japanese text as written whatever the ANSI code page, any other the English
# text; the caption, the owner and the one OK button stay as they are.
source "$(dirname "$0")/e2e_lib.sh" "$@"
OUT="$SHOTS/failure_box.out"
PROGRAM="$(windows_path "$MODULE_DIR/failure_box_program.exe")"
HEADER=1 POS=16  # the failing allocation: the sheet's header, the sprite array

# in_locale "NAME=VALUE..." COMMAND...: the command (and the Wine processes
# it starts) in that locale, with LC_ALL cleared first; the suite's own
# locale comes back afterwards.
in_locale() {
  local LC_ALL= LC_CTYPE= LC_MESSAGES=
  export LC_ALL LC_CTYPE LC_MESSAGES
  export $1
  shift
  "$@"
}

# Rows: locale|failing allocation => the text shown. The second row is a
# Japanese user interface with the ANSI code page 1252, the fifth an English
# one with the code page 932.
cases=(
  "LC_ALL=ja_JP.UTF-8|$HEADER => メモリが足りません(Header)"
  "LC_CTYPE=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8|$POS => メモリが足りません(pos)"
  "LC_ALL=en_US.UTF-8|$HEADER => Not enough memory (Header)"
  "LC_ALL=fr_FR.UTF-8|$POS => Not enough memory (pos)"
  "LC_CTYPE=ja_JP.UTF-8 LC_MESSAGES=en_US.UTF-8|$HEADER => Not enough memory (Header)"
)
for row in "${cases[@]}"; do
  IFS='|' read -r locale failing <<<"${row% => *}"
  in_locale "$locale" start_saver "$OUT" 30000 "$PROGRAM" "$failing"
  wait_window "#32770" "Pennydance Error" >/dev/null
  texts="$(probe texts "Pennydance Error")"
  saver="$(field "$(probe find WindowsScreenSaverClass "Screen Saver")" window)"
  shown="$(grep '^class=Static' <<<"$texts" | grep -v 'text=""')"
  check "$locale: the text" "\"${row#* => }\"" "$(field "$shown" text)"
  check "$locale: the caption" '"Pennydance Error"' "$(field "$(head -1 <<<"$texts")" text)"
  check "$locale: owned by the saver window" "$saver" "$(field "$(head -1 <<<"$texts")" owner)"
  check "$locale: one button" 1 "$(grep -c '^class=Button' <<<"$texts")"
  probe post "#32770" "Pennydance Error" 0x111 1 0 >/dev/null  # WM_COMMAND, IDOK
  check "$locale: the window refused" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
done

finish
