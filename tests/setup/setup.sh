#!/bin/bash
# The setup program as users and deployment tools run it: silent installs
# and uninstalls in throw-away Wine prefixes of its own, a 64-bit one and a
# 32-bit one (WINEARCH=win32, where the i686 module is the one installed), on
# a display of its own. What lands where is read from the Linux side and
# through Wine's cmd (64-bit), the registry through Wine's reg, and the installed
# module is started by its installed path, as the desktop starts it.
# The setup is a 32-bit program: where 32-bit programs run under qemu-user
# each of its runs takes many seconds, so the cases share their runs.
# Usage: setup.sh PROBE SCREEN_REGIONS WORK_DIR
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
WORK="$(realpath -m "$3")"
rm -rf "$WORK" && mkdir -p "$WORK"
source "$ROOT/tools/wine-env.sh" "$WORK/prefix-win64"
source "$ROOT/tests/e2e/e2e_lib.sh" "$1" "$WORK" "$2" "$WORK/shots" x86_64
suite_stop() {
  local prefix
  cleanup
  for prefix in "$WORK"/prefix-*; do
    WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null
    WINEPREFIX="$prefix" "$WINESERVER" -w 2>/dev/null
  done
  wine_stop
  # The prefixes take 2 GB; a failed run keeps them to look into.
  ((FAILURES == 0)) && rm -rf "$WORK"/prefix-*
}
trap suite_stop EXIT

I686="$ROOT/build/i686/pennydance.scr" X86_64="$ROOT/build/x86_64/pennydance.scr"
# The setup as make dist builds it, and a later version built from the same
# modules to upgrade to.
SETUP="$(bash "$ROOT/tools/setup/build-setup.sh" "$WORK/dist")"
VERSION="$(basename "$SETUP" -setup.exe)" VERSION="${VERSION#pennydance-}"
LATER="$(printf '%d.%02d' "${VERSION%%.*}" $((10#${VERSION#*.} + 1)))"
LATER_SETUP="$(bash "$ROOT/tools/setup/build-setup.sh" "$WORK/later" "$LATER")"
echo "setup program: $(stat -c %s "$SETUP") bytes"

ENTRY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pennydance'
DESKTOP='HKCU\Control Panel\Desktop'
RECORD='HKCU\Software\Orvalex\Pennydance Setup'
SYSTEM32='C:\windows\system32' SYSWOW64='C:\windows\syswow64'
INSTALL_DIR='C:\Program Files\Pennydance'
# The loader of the prefix's own tools (reg, cmd): 64-bit in the 64-bit prefix.
TOOLS="$WINE64"

# unix_path 'C:\windows\...': the file in the prefix in use.
unix_path() { local p="${1#C:\\}"; echo "$WINEPREFIX/drive_c/${p//\\//}"; }

# reg_values KEY [VIEW]: its values as NAME=DATA lines, sorted (DWORDs in
# hexadecimal); nothing when the key is absent. VIEW 32 or 64 picks the
# registry view of the 64-bit prefix.
reg_values() {
  "$TOOLS" reg query "$1" ${2:+/reg:$2} 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
    sed -n 's/^    \([^ ]*\)    REG_[A-Z_]*    \(.*\)$/\1=\2/p; s/^    \([^ ]*\)    REG_[A-Z_]*$/\1=/p' | sort
}
key_state() { "$TOOLS" reg query "$1" >/dev/null 2>&1 && echo present || echo absent; }
# value_of NAME LINES: one value of reg_values' lines, "-" when absent.
value_of() { awk -v n="$1" -F= '$1 == n {sub(/^[^=]*=/, ""); print; found = 1} END {if (!found) print "-"}' <<<"$2"; }
desktop_saver() { local v; v="$(reg_values "$DESKTOP")"; echo "$(value_of SCRNSAVE.EXE "$v") $(value_of ScreenSaveActive "$v")"; }

# listed PATH...: "PATH SIZE SHORT_NAME" for each file as Wine's cmd lists it.
listed() {
  local path
  for path in "$@"; do
    LC_ALL=en_US.UTF-8 "$TOOLS" cmd /c "dir /-c /x $path" 2>/dev/null | tr -d '\r' |
      awk -v p="$path" '/ pennydance\.scr$/ {print p, $(NF - 2), $(NF - 1)}'
  done
}

# run_windows TIMEOUT_MS COMMAND_LINE: started by the probe, as Windows
# starts a program (Apps and features its UninstallString too); prints the
# whole exit code.
run_windows() {
  local report
  report="$(probe run "$@")"
  sed -n 's/^exit code=//p' <<<"$report" | grep . || echo "no exit code: $report"
}
# timed NAME COMMAND...: runs it and reports its time (a measurement, not a check).
timed() {
  local start=$EPOCHREALTIME
  "${@:2}"
  echo "time: $1 $(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN {printf "%.1f s", b - a}')" >&2
}
install_silently() { run_windows 600000 "\"$(windows_path "$1")\" /S"; }
# The quiet uninstall as the entry gives it; the uninstaller goes on in a
# copy of itself after its own end, so this waits for the prefix's every
# process (and so its wineserver) to end.
uninstall_silently() {
  run_windows 600000 "$(value_of QuietUninstallString "$(reg_values "$ENTRY" ${1:-})")"
  "$WINESERVER" -w
}

# The uninstall entry as the setup writes it, in the language's name and
# the version's, sized by what it installed.
expected_entry() {
  local name="$1" version="$2" kilobytes=0 file
  for file in "${@:3}" "$(unix_path "$INSTALL_DIR\\uninstall.exe")"; do
    kilobytes=$((kilobytes + $(stat -c %s "$file") / 1024))
  done
  printf '%s\n' "DisplayIcon=$SYSTEM32\\pennydance.scr,0" "DisplayName=$name" "DisplayVersion=$version" \
    "EstimatedSize=$(printf '0x%x' "$kilobytes")" "InstallLocation=$INSTALL_DIR" NoModify=0x1 NoRepair=0x1 \
    Publisher=Orvalex "QuietUninstallString=\"$INSTALL_DIR\\uninstall.exe\" /S" \
    "UninstallString=\"$INSTALL_DIR\\uninstall.exe\"" | sort
}
JAPANESE_NAME='Pennydance　スクリーンセーバー' ENGLISH_NAME='Pennydance screen saver'

# What an install leaves, for comparing one install with another: the
# modules' and leftovers' names and bytes, the uninstaller, the entry but
# for its language and version, the user's screen saver and the setup's
# record of the one before.
installed_state() {
  local folder
  for folder in "$SYSTEM32" "$SYSWOW64"; do
    (cd "$(unix_path "$folder")" 2>/dev/null && sha256sum pennydance* 2>/dev/null | cut -c1-16,65-)
  done
  ls "$(unix_path "$INSTALL_DIR")"
  reg_values "$ENTRY" 64 | grep -v '^DisplayName=\|^DisplayVersion='
  desktop_saver
  reg_values "$RECORD"
}

# wine_exit_code PID SECONDS: sets CODE to the exit code of a program that
# Wine runs in the background, waiting at most SECONDS; else ends it and
# sets "still running".
wine_exit_code() {
  local i
  for ((i = 0; i < $2 * 10; ++i)); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  CODE=
  kill -0 "$1" 2>/dev/null && { kill "$1"; CODE="still running"; }
  wait "$1"
  local status=$?
  CODE="${CODE:-$status}"
}

# check_ended NAME EXPECTED_CODE LOADER: CODE, as wine_exit_code set it.
# Under qemu-user a 32-bit process of the win32 prefix now and then faults
# in Wine's own teardown after the module has ended (qemu reports a
# segmentation fault, Wine's loader 1), so there only its end is checked;
# its code is where 32-bit programs run natively, and in the 64-bit prefix.
check_ended() {
  if [[ $3 == "$WINE32" && $PENNYDANCE_32BIT_START_MS != 0 ]]; then
    check "${1% with *}" ended "$([[ $CODE != "still running" ]] && echo ended)"
  else
    check "$1" "$2" "$CODE"
  fi
}

# The module the desktop would start, started by its installed path with
# LOADER: with /s it draws the characters and a key ends it with 0; with /c
# its dialog opens (the Japanese one here) and Escape ends it with 2. Found
# on the X display alone, as the 32-bit prefix has no 64-bit probe to ask.
check_installed_module_runs() {
  local loader="$1" module="$SYSTEM32\\pennydance.scr" pid i report= window= X Y WIDTH HEIGHT
  local wait_s=$((30 + PENNYDANCE_32BIT_START_MS / 500))
  reset_pointer
  "$loader" "$module" /s >/dev/null 2>&1 &
  pid=$!
  for ((i = 0; i < wait_s; ++i)); do
    report="$(screenshot "$2-saver")"
    [[ $(stat_of "$report" nonblack) -gt 0 ]] && break
    sleep 1
  done
  check "$2: $module /s draws" "drawn" "$([[ $(stat_of "$report" nonblack) -gt 0 ]] && echo drawn)"
  xdotool key k
  wine_exit_code "$pid" 30
  check_ended "$2: and a key ends it with 0" 0 "$loader"

  "$loader" "$module" /c >/dev/null 2>&1 &
  pid=$!
  for ((i = 0; i < wait_s && ${#window} == 0; ++i)); do
    window="$(xdotool search --onlyvisible --name '^Pennydanceの設定$' 2>/dev/null | head -1)"
    sleep 1
  done
  check "$2: $module /c opens the dialog" "Pennydanceの設定" "$(xdotool getwindowname "${window:-0}" 2>/dev/null)"
  eval "$(xdotool getwindowgeometry --shell "${window:-0}" 2>/dev/null)"
  xdotool mousemove $((${X:-0} + ${WIDTH:-0} / 2)) $((${Y:-0} + ${HEIGHT:-0} / 2))
  wait_keyboard_focus 2>/dev/null
  xdotool key Escape
  wine_exit_code "$pid" 30
  check_ended "$2: Escape ends it with 2" 2 "$loader"
}

xvfb_start 24

# --- The 64-bit prefix: both modules, each in its system folder. ---------
wine_make_prefix
apply() { "$WINE64" reg add "$@" /f >/dev/null 2>&1; }
# No window manager here: Wine's 2 s wait for one at each window's end.
apply 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
# The user's earlier screen saver, and settings of their own.
apply "$DESKTOP" /v SCRNSAVE.EXE /t REG_SZ /d "$SYSTEM32\\ssother.scr"
earlier_saver="$(desktop_saver)"
store_settings Number 7

check "silent install exits 0" 0x00000000 "$(timed "silent install, 64-bit prefix" install_silently "$SETUP")"
check "the x86-64 module in system32" same \
  "$(cmp -s "$X86_64" "$(unix_path "$SYSTEM32\\pennydance.scr")" && echo same)"
check "the i686 module in syswow64" same \
  "$(cmp -s "$I686" "$(unix_path "$SYSWOW64\\pennydance.scr")" && echo same)"
read -r _ size64 short64 <<<"$(listed "$SYSTEM32\\pennydance.scr")"
read -r _ size32 _ <<<"$(listed "$SYSWOW64\\pennydance.scr")"
check "cmd lists both" "$(stat -c %s "$X86_64") $(stat -c %s "$I686")" "$size64 $size32"
check "nothing else beside them" "pennydance.scr pennydance.scr" \
  "$(cd "$WINEPREFIX/drive_c/windows" && echo system32/penny* syswow64/penny* | sed 's|[a-z0-9]*/||g')"
check "the uninstall entry, in Japanese (64-bit view)" \
  "$(expected_entry "$JAPANESE_NAME" "$VERSION" "$X86_64" "$I686")" "$(reg_values "$ENTRY" 64)"
check "none in the 32-bit view" "" "$(reg_values "$ENTRY" 32)"
check "Pennydance is the screen saver, by its short path" "$SYSTEM32\\$short64 1" "$(desktop_saver)"
check "the short name is an 8.3 one" short "$([[ $short64 =~ ^[A-Z0-9~_]{1,8}\.SCR$ ]] && echo short)"
check "the earlier one kept" "PreviousScreenSaver=$SYSTEM32\\ssother.scr" "$(reg_values "$RECORD")"
check_installed_module_runs "$WINE64" 64-bit
first_state="$(installed_state)"

check "a second install exits 0" 0x00000000 "$(install_silently "$SETUP")"
check "and ends in the same state" "$first_state" "$(installed_state)"

check "an upgrade to $LATER exits 0" 0x00000000 "$(install_silently "$LATER_SETUP")"
check "the entry names $LATER" "$LATER" "$(value_of DisplayVersion "$(reg_values "$ENTRY" 64)")"
check "the user's settings kept" 0x7 "$(reg_value "$SETTINGS_KEY" Number)"
check "the rest as before" "$(grep -v '^EstimatedSize=' <<<"$first_state")" \
  "$(installed_state | grep -v '^EstimatedSize=')"

timed "silent uninstall, 64-bit prefix" uninstall_silently 64 >"$SHOTS/uninstall.out"
check "the uninstaller exits 0" 0x00000000 "$(<"$SHOTS/uninstall.out")"
check "no module, uninstaller or folder left" "" \
  "$(find "$WINEPREFIX/drive_c/windows" "$WINEPREFIX/drive_c/Program Files" -maxdepth 2 -iname 'penny*')"
check "no entry in either view" "absent absent" \
  "$([[ -z $(reg_values "$ENTRY" 64) ]] && echo absent) $([[ -z $(reg_values "$ENTRY" 32) ]] && echo absent)"
check "the earlier screen saver back" "$earlier_saver" "$(desktop_saver)"
check "the setup's record gone" absent "$(key_state "$RECORD")"
check "the user's settings kept" 0x7 "$(reg_value "$SETTINGS_KEY" Number)"

# Over a copy placed by hand (other bytes) and made the screen saver by
# hand, while it runs: the setup cannot replace it now, so it writes the new
# one beside it and replaces it at the restart; English this time.
"$WINE64" reg delete 'HKCU\Software\Orvalex' /f >/dev/null 2>&1
hand_copy="$(unix_path "$SYSTEM32\\pennydance.scr")"
{ cat "$X86_64"; echo "an older copy"; } >"$hand_copy"
cp "$hand_copy" "$WORK/hand-copy.scr"
apply "$DESKTOP" /v SCRNSAVE.EXE /t REG_SZ /d "$SYSTEM32\\pennydance.scr"
apply "$DESKTOP" /v ScreenSaveActive /t REG_SZ /d 1
reset_pointer
start_saver "$SHOTS/in-use.out" 120000 "$SYSTEM32\\pennydance.scr" /s
wait_saver_in_front >/dev/null
check "an install over it asks for a restart (3010)" 0x00000BC2 \
  "$(LC_ALL=en_US.UTF-8 install_silently "$SETUP")"
check "the copy in use left whole" same "$(cmp -s "$WORK/hand-copy.scr" "$hand_copy" && echo same)"
check "the new one beside it" same \
  "$(cmp -s "$X86_64" "$(unix_path "$SYSTEM32\\pennydance.scr.new")" && echo same)"
wait_keyboard_focus
xdotool key k
saver_exit_code "$SHOTS/in-use.out" "$LAST_PROBE_PID" >/dev/null
"$WINE64" wineboot -r >/dev/null 2>&1
check "after the restart, the state of a fresh install" \
  "$(grep -v '^PreviousScreenSaver=' <<<"$first_state")" "$(installed_state)"
check "the uninstall entry in English" "$ENGLISH_NAME" "$(value_of DisplayName "$(reg_values "$ENTRY" 64)")"
uninstall_silently 64 >/dev/null
check "uninstalled, no screen saver (it was Pennydance before)" "- 1" "$(desktop_saver)"
check "and nothing of Orvalex" absent "$(key_state 'HKCU\Software\Orvalex')"
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null

# --- The 32-bit prefix: the i686 module in system32. --------------------
# Every Windows program here is a 32-bit one (under qemu-user each start
# takes many seconds): one install, one uninstall, few looks; the entry's
# absence read from the registry's file. Wine's own services are 32-bit
# programs here too, started anew with each wineserver, so it stays up
# for 10 s after the last program.
export WINEPREFIX="$WORK/prefix-win32"
wine_make_prefix win32
"$WINESERVER" -p10
TOOLS="$WINE32"
install_with_wine() { "$WINE32" "$1" /S >/dev/null 2>&1; echo $?; }
check "32-bit: silent install exits 0" 0 "$(timed "silent install, 32-bit prefix" install_with_wine "$SETUP")"
check "32-bit: the i686 module in system32" same \
  "$(cmp -s "$I686" "$(unix_path "$SYSTEM32\\pennydance.scr")" && echo same)"
check "32-bit: no syswow64" absent "$([[ -e $(unix_path "$SYSWOW64") ]] && echo present || echo absent)"
entry="$(reg_values "$ENTRY")"
check "32-bit: the uninstall entry" "$(expected_entry "$JAPANESE_NAME" "$VERSION" "$I686")" "$entry"
check_that "32-bit: Pennydance is the screen saver, by a short path" "an 8.3 name in system32, and 1" \
  "$([[ $(desktop_saver) =~ ^C:\\windows\\system32\\[A-Z0-9~_]{1,8}\.SCR\ 1$ ]] && echo true)"
check_installed_module_runs "$WINE32" 32-bit
# The quiet uninstall string is "PROGRAM" /S.
quiet="$(value_of QuietUninstallString "$entry")" program="${quiet#\"}" program="${program%%\"*}"
"$WINE32" "$program" ${quiet##*\" } >/dev/null 2>&1
check "32-bit: the uninstaller exits 0" 0 "$?"
"$WINESERVER" -w
check "32-bit: no module, uninstaller or folder left" "" \
  "$(find "$WINEPREFIX/drive_c/windows" "$WINEPREFIX/drive_c/Program Files" -maxdepth 2 -iname 'penny*')"
check "32-bit: no entry" 0 "$(grep -ci 'Uninstall\\\\Pennydance\]' "$WINEPREFIX/system.reg")"
check "32-bit: no screen saver, as before" "- -" "$(desktop_saver)"

finish
