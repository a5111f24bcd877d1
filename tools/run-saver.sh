#!/bin/bash
# Starts the saver under Wine the way the desktop would (see README).
# Usage: run-saver.sh MODE   (saver | config | preview | password)
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
MODE="${1:-saver}"
source "$ROOT/tools/wine-env.sh" "$ROOT/build/wine-run"
MODULE="$ROOT/build/x86_64/pennydance.scr"

if [[ ! -f $WINEPREFIX/system.reg ]]; then wine_make_prefix; fi
if [[ -z ${DISPLAY:-} ]]; then
  xvfb_start 24
  echo "no display: started Xvfb on $DISPLAY"
fi
trap wine_stop EXIT
wine_start

case "$MODE" in
  saver) "$WINE64" "$MODULE" /s ;;
  config) "$WINE64" "$MODULE" /c ;;
  *) echo "mode $MODE is not available yet"; exit 2 ;;
esac
rc=$?
echo "pennydance.scr exited with $rc"
