#!/bin/bash
# Packs what a Windows user downloads: build/dist/pennydance-VERSION.zip with
# both modules as built and tested (stripped), a plain-text read-me with
# Windows line ends, and the SHA-256 of each file; and the page,
# build/dist/pennydance-web-VERSION.zip: the files of build/web/ in a folder
# pennydance-web/ with its read-me and checksums. VERSION is the file version
# the i686 module's version record carries, as its dialog shows it (1.02).
# Prints the two archives' paths.
# Usage: make-dist.sh [OUTPUT_DIR]   (default build/dist)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$(realpath -m "${1:-$ROOT/build/dist}")"
I686="$ROOT/build/i686/pennydance.scr"
X86_64="$ROOT/build/x86_64/pennydance.scr"
WEB="$ROOT/build/web"
WEB_FILES=(index.html page.js module_choice.js pennydance.js pennydance-scalar.js)
for file in "$I686" "$X86_64" "${WEB_FILES[@]/#/$WEB/}"; do
  [[ -f $file ]] || { echo "missing $file: build first (make)"; exit 1; }
done

# FILEVERSION 1,2,0,0 -> 1.02
read -r major minor < <(LC_ALL=C i686-w64-mingw32-windres -i "$I686" -O rc |
  sed -n 's/^ *FILEVERSION \([0-9]*\), *\([0-9]*\),.*/\1 \2/p' | head -1)
[[ -n ${minor:-} ]] || { echo "no version record in $I686"; exit 1; }
VERSION="$(printf '%d.%02d' "$major" "$minor")"
NAME="pennydance-$VERSION"

STAGE="$OUT/$NAME"
rm -rf "$STAGE" "$OUT/$NAME.zip"
mkdir -p "$STAGE/32-bit" "$STAGE/64-bit"
cp "$I686" "$STAGE/32-bit/pennydance.scr"
cp "$X86_64" "$STAGE/64-bit/pennydance.scr"
sed "s/{VERSION}/$VERSION/; s/\$/\r/" "$ROOT/tools/dist/README.txt" >"$STAGE/README.txt"
(cd "$STAGE" && sha256sum 32-bit/pennydance.scr 64-bit/pennydance.scr README.txt >SHA256SUMS)
(cd "$STAGE" && zip -qX -r "$OUT/$NAME.zip" README.txt SHA256SUMS 32-bit 64-bit)
rm -rf "$STAGE"
echo "$OUT/$NAME.zip"

WEB_NAME="pennydance-web-$VERSION"
STAGE="$OUT/$WEB_NAME.stage"
rm -rf "$STAGE" "$OUT/$WEB_NAME.zip"
mkdir -p "$STAGE/pennydance-web"
cp "${WEB_FILES[@]/#/$WEB/}" "$STAGE/pennydance-web/"
sed "s/{VERSION}/$VERSION/" "$ROOT/tools/dist/README-web.txt" >"$STAGE/pennydance-web/README.txt"
(cd "$STAGE/pennydance-web" && sha256sum "${WEB_FILES[@]}" README.txt >SHA256SUMS)
(cd "$STAGE" && zip -qX -r "$OUT/$WEB_NAME.zip" pennydance-web)
rm -rf "$STAGE"
echo "$OUT/$WEB_NAME.zip"
