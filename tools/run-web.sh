#!/bin/bash
# Opens the page (build/web/index.html) in Debian's Chromium on the current
# display. Without a display it opens it in headless Chromium for about six
# seconds, recording ten frames a second (build/pennydance-web.gif and .png).
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
PAGE="file://$ROOT/build/web/index.html"

if [[ -n ${DISPLAY:-} ]]; then
  # As root Chromium runs only without its sandbox.
  sandbox=()
  [[ $(id -u) -eq 0 ]] && sandbox=(--no-sandbox)
  profile="$(mktemp -d)"
  trap 'rm -rf "$profile"' EXIT
  chromium "${sandbox[@]}" --user-data-dir="$profile" --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync "$PAGE"
  exit $?
fi

FRAMES="$ROOT/build/run-frames-web"
rm -rf "$FRAMES" && mkdir -p "$FRAMES"
node "$ROOT/tools/web-record.mjs" "$PAGE" "$FRAMES" || exit 1
convert -delay 10 -loop 0 "$FRAMES"/0*.png -layers Optimize "$ROOT/build/pennydance-web.gif"
cp "$FRAMES/059.png" "$ROOT/build/pennydance-web.png"
rm -rf "$FRAMES"
echo "recorded: build/pennydance-web.gif (60 frames, 10 a second), build/pennydance-web.png"
