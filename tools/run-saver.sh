#!/bin/bash
# Starts the saver under Wine the way the desktop would (see README).
# Usage: [DPI=144] [LOCALE=en_US.UTF-8] run-saver.sh MODE   (saver | config | preview | password | x11 | web)
# On a display (DISPLAY set) it runs until a person ends it. Without one it
# starts a virtual 800 x 600 display, runs the mode for about six seconds
# (recording the saver as build/pennydance.gif and .png), ends it with a real
# key press and stops everything it started.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
MODE="${1:-saver}"
# The native X11 program needs no Wine.
[[ $MODE == x11 ]] && exec bash "$ROOT/tools/run-x11.sh"
[[ $MODE == web ]] && exec bash "$ROOT/tools/run-web.sh"
source "$ROOT/tools/wine-env.sh" "$ROOT/build/wine-run"
# Another user interface language than Japanese shows the English dialog.
[[ -n ${LOCALE:-} ]] && export LC_ALL="$LOCALE"
BUILD="$ROOT/build/x86_64"
PROBE="$BUILD/tools/probe/probe.exe"
windows_path() { local p; p="$(realpath -m "$1")"; echo "Z:${p//\//\\}"; }
MODULE="$(windows_path "$BUILD/pennydance.scr")"
# The copy that Wine reports the Windows 95 family to, beside the test PASSWORD.CPL.
MODULE_9X="$(windows_path "$BUILD/tests/win/pennydance9x.scr")"
PASSWORD=penny

case "$MODE" in
  saver | config | preview | password) ;;
  *) echo "unknown MODE=$MODE (saver, config, preview, password, x11 or web)"; exit 2 ;;
esac

if [[ ! -f $WINEPREFIX/system.reg ]]; then wine_make_prefix; fi
HEADLESS=
if [[ -z ${DISPLAY:-} ]]; then
  HEADLESS=1
  xvfb_start 24
  echo "no display: started Xvfb on $DISPLAY"
fi
trap wine_stop EXIT
wine_start
reg() { "$WINE64" reg add "$@" /f >/dev/null 2>&1; }
# The dialog's Japanese proportional face (Wine's default for it clips labels).
reg 'HKCU\Software\Wine\Fonts\Replacements' /v "ＭＳ Ｐゴシック" /t REG_SZ /d IPAPGothic
# The display's scale: 96 is 100 %, DPI=144 is 150 % (read by every new process).
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${DPI:-96}"
# Without a window manager, Wine would wait for one on every window.
[[ -n $HEADLESS ]] && reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
if [[ $MODE == password ]]; then
  reg 'HKCU\Software\Wine\AppDefaults\pennydance9x.scr' /v Version /t REG_SZ /d win95
  reg 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_DWORD /d 1
  reg 'HKCU\Software\Pennydance Test Fixtures\PASSWORD.CPL' /v Password /t REG_SZ /d "$PASSWORD"
  echo "Windows 95 family, password asked: the password is \"$PASSWORD\""
fi

probe() { "$WINE64" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
exit_code_of() { tr -d '\r' <"$1" | sed -n 's/^exit code=//p'; }

if [[ -z $HEADLESS ]]; then
  case "$MODE" in
    saver) probe run 0 "$MODULE" /s ;;
    config) probe run 0 "$MODULE" /c ;;
    preview) probe preview 0 0 "$MODULE" ;;  # close the little window to end it
    password) probe run 0 "$MODULE_9X" /s ;;
  esac | grep -v '^started'
  exit 0
fi

# No display: run for about six seconds and show what it drew.
OUT="$ROOT/build/run-probe.out"
FRAMES="$ROOT/build/run-frames"
rm -rf "$FRAMES" && mkdir -p "$FRAMES"
xdotool mousemove 400 300
case "$MODE" in
  saver) probe run 30000 "$MODULE" /s >"$OUT" & ;;
  config) probe run 30000 "$MODULE" /c >"$OUT" & ;;
  preview) probe preview 9000 30000 "$MODULE" >"$OUT" & ;;
  password) probe run 60000 "$MODULE_9X" /s >"$OUT" & ;;
esac
PROBE_PID=$!
if [[ $MODE == saver || $MODE == password ]]; then
  probe wait WindowsScreenSaverClass "Screen Saver" 10000 >/dev/null
else
  sleep 2
fi

# Ten screenshots a second, the saver's own rate.
start=$(date +%s%N)
for ((frame = 0; frame < 60; ++frame)); do
  # (A window going away during a capture spoils that one frame only.)
  xwd -root -silent >"$FRAMES/$(printf %03d $frame).xwd" 2>/dev/null || rm -f "$FRAMES/$(printf %03d $frame).xwd"
  next=$((start + (frame + 1) * 100000000))
  now=$(date +%s%N)
  ((next > now)) && sleep "$(printf '0.%09d' $((next - now)))"
done

case "$MODE" in
  saver) xdotool key k ;;
  config) xdotool mousemove 100 100 key Escape ;;  # the dialog sits at the top left
  password)
    xdotool key k
    probe wait "#32770" "Pennydance test password" 10000 >/dev/null
    xwd -root -silent >"$FRAMES/prompt.xwd"
    xdotool type --delay 20 "$PASSWORD"
    xdotool key Return ;;
esac
while kill -0 "$PROBE_PID" 2>/dev/null; do sleep 0.1; done
wait "$PROBE_PID" 2>/dev/null

NAME=pennydance
[[ $MODE != saver ]] && NAME="pennydance-$MODE"
convert -delay 10 -loop 0 "$FRAMES"/0*.xwd -layers Optimize "$ROOT/build/$NAME.gif"
convert "$FRAMES/$(ls "$FRAMES" | grep '^0' | tail -1)" "$ROOT/build/$NAME.png"
[[ -f $FRAMES/prompt.xwd ]] && convert "$FRAMES/prompt.xwd" "$ROOT/build/$NAME-prompt.png"
rm -rf "$FRAMES"
echo "recorded: build/$NAME.gif (60 frames, 10 a second), build/$NAME.png"
echo "pennydance.scr exited with $(exit_code_of "$OUT")"
