#!/bin/bash
# The saver on the Windows 95 family (the copy Wine reports it to), with the
# password asked for: the test PASSWORD.CPL beside it shows a real prompt,
# typed into with real keys. And "/a" hands the change to the test MPR.DLL.
source "$(dirname "$0")/e2e_lib.sh" "$@"
OUT="$SHOTS/password.out"
DESKTOP='HKCU\Control Panel\Desktop'
FIXTURES='HKCU\Software\Pennydance Test Fixtures'
PASSWORD=penny
PROMPT_TITLE="Pennydance test password"

"$WINE64" reg add "$DESKTOP" /v ScreenSaveUsePassword /t REG_DWORD /d 1 /f >/dev/null 2>&1
"$WINE64" reg add "$FIXTURES\\PASSWORD.CPL" /v Password /t REG_SZ /d "$PASSWORD" /f >/dev/null 2>&1
restore() {
  "$WINE64" reg delete "$DESKTOP" /v ScreenSaveUsePassword /f >/dev/null 2>&1
  "$WINE64" reg delete "$FIXTURES" /f >/dev/null 2>&1
  cleanup
}
trap restore EXIT

# A REG_QWORD as 0x..., read from an export (reg query does not show them).
stored_qword() {
  local file="$SHOTS/export.reg" bytes
  "$WINE64" reg export "$1" "$(windows_path "$file")" /y >/dev/null 2>&1
  bytes="$(iconv -f UTF-16LE -t UTF-8 "$file" 2>/dev/null | tr -d '\r' |
           sed -n "s/^\"$2\"=hex(b)://p")"
  IFS=, read -r -a bytes <<<"$bytes"
  local value=0 i
  for ((i = ${#bytes[@]} - 1; i >= 0; --i)); do value=$(((value << 8) | 0x${bytes[i]})); done
  printf '0x%x' "$value"
}

prompt_calls() { printf '%d' "$(reg_value "$FIXTURES\\PASSWORD.CPL" Calls)"; }

# answer TEXT KEY: types TEXT into the prompt and ends it with KEY.
answer() {
  local prompt
  prompt="$(wait_window "#32770" "$PROMPT_TITLE")"
  [[ $prompt == "no window" ]] && { echo "no prompt"; return; }
  point_into "$prompt"
  [[ -n $1 ]] && xdotool type --delay 20 "$1"
  xdotool key "$2"
  echo answered
}

runs_after() {
  sleep "$1"
  kill -0 "$LAST_PROBE_PID" 2>/dev/null && saver_window_exists && echo runs || echo ended
}

# Every way a person ends a saver asks first; a wrong answer or Cancel keeps
# it running, the right one ends it. Rows: how it is asked|first answer.
routes=("key a|wrong Return" "key alt|wrong Return" "key F10|wrong Return" "click 1|wrong Return"
        "click 2|- Escape" "click 3|wrong Return" "mousemove_relative 20 0|- Escape"
        "key Return|wrong Return" "activate|- Escape" "post WM_CLOSE|wrong Return"
        "post SC_CLOSE|- Escape")
for row in "${routes[@]}"; do
  route="${row%|*}"
  read -r typed key <<<"${row#*|}"
  [[ $typed == - ]] && typed=
  reset_pointer
  calls_before="$(prompt_calls)"
  start_saver "$OUT" 40000 "$SAVER_9X" /s
  wait_saver_in_front >/dev/null
  if [[ $route == activate ]]; then
    "$WINE64" "$PROBE_EXE" activate 300 >/dev/null 2>&1
  elif [[ $route == "post WM_CLOSE" ]]; then
    probe post WindowsScreenSaverClass "Screen Saver" 0x10 0 0 >/dev/null
  elif [[ $route == "post SC_CLOSE" ]]; then
    probe post WindowsScreenSaverClass "Screen Saver" 0x112 0xF060 0 >/dev/null
  else
    xdotool $route
  fi
  check "$route: asks for the password" answered "$(answer "$typed" "$key")"
  check "$route: not granted, it keeps running" runs "$(runs_after 0.6)"
  reset_pointer
  xdotool key b
  check "$route: the next key asks again and the password ends it" answered \
    "$(answer "$PASSWORD" Return)"
  check "$route: then it ends with 0" 0x00000000 "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
  check "$route: two prompts" $((calls_before + 2)) "$(prompt_calls)"
done

# A second close request while the prompt is up neither closes the saver nor
# opens a second prompt.
reset_pointer
calls_before="$(prompt_calls)"
start_saver "$OUT" 40000 "$SAVER_9X" /s
wait_saver_in_front >/dev/null
xdotool key a
wait_window "#32770" "$PROMPT_TITLE" >/dev/null
probe post WindowsScreenSaverClass "Screen Saver" 0x10 0 0 >/dev/null
sleep 0.3
check "a close during the prompt: still one prompt" $((calls_before + 1)) "$(prompt_calls)"
check "a close during the prompt: the password ends it" answered "$(answer "$PASSWORD" Return)"
check "a close during the prompt: then it ends with 0" 0x00000000 \
  "$(saver_exit_code "$OUT" "$LAST_PROBE_PID")"
check "a close during the prompt: no prompt after it" $((calls_before + 1)) "$(prompt_calls)"
echo "${#routes[@]} routes to closing tried, and a second close during the prompt"

# "/a" on the Windows 95 family calls the test MPR.DLL with "SCRSAVE" and the
# owner from the command line.
"$WINE64" "$PROBE_EXE" activate $((4000 + PENNYDANCE_START_ALLOWANCE_MS)) >"$SHOTS/front.out" 2>/dev/null &
BACKGROUND_PIDS+=("$!")
sleep 1
owner="$(tr -d '\r' <"$SHOTS/front.out" | sed -n 's/^window=//p')"
check "/a ends with 0" 0x00000000 \
  "$(probe run 15000 "$SAVER_9X" "/a $((owner))" | sed -n 's/^exit code=//p')"
check "/a: MPR.DLL called once" 0x1 "$(reg_value "$FIXTURES\\MPR.DLL" Calls)"
check "/a: provider" SCRSAVE "$(reg_value "$FIXTURES\\MPR.DLL" Provider)"
check "/a: owner" "$owner" "$(stored_qword "$FIXTURES\\MPR.DLL" Owner)"

finish
