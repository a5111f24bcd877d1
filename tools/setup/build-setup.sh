#!/bin/bash
# Builds the Windows setup program, OUTPUT_DIR/pennydance-VERSION-setup.exe,
# from both modules as built and tested, with NSIS (makensis). VERSION is
# the version the module's version record carries, as 1.02, unless given
# (the tests build a later one to upgrade to). Prints its path.
# Usage: build-setup.sh OUTPUT_DIR [VERSION]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
OUT="$(realpath -m "$1")"
I686="$ROOT/build/i686/pennydance.scr"
X86_64="$ROOT/build/x86_64/pennydance.scr"
ICON="$ROOT/build/art/pennydance.ico"
for file in "$I686" "$X86_64" "$ICON"; do
  [[ -f $file ]] || { echo "missing $file: build first (make)"; exit 1; }
done
source "$ROOT/tools/module-version.sh"
VERSION="${2:-$(module_version "$I686")}"

# 1.02 -> 1.2.0.0, the four numbers of the setup's own version record.
major="${VERSION%%.*}" minor="${VERSION#*.}"
FILE_VERSION="$major.$((10#$minor)).0.0"
SETUP="$OUT/pennydance-$VERSION-setup.exe"
mkdir -p "$OUT"
rm -f "$SETUP"
# The script and its texts are UTF-8 (the Japanese texts); -V2 keeps
# makensis to warnings and errors, and a warning fails the build.
makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DFILE_VERSION="$FILE_VERSION" \
  -DI686_MODULE="$I686" -DX86_64_MODULE="$X86_64" -DICON="$ICON" -DOUTFILE="$SETUP" \
  "$ROOT/tools/setup/pennydance.nsi" >&2
echo "$SETUP"
