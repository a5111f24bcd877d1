#!/bin/bash
# Builds the Debian package the Debian way, dpkg-buildpackage -us -uc -b,
# from a clean copy of the tracked files (so nothing of build/ goes in and
# the working tree gets nothing), and puts the package, its .changes and
# the files that lists into OUTPUT_DIR. The version is debian/changelog's,
# whose upstream part must be the version record's (res/version.rc).
# Prints the package's path.
# Usage: make-deb.sh [OUTPUT_DIR] [HOST_ARCH]   (default build/dist, this machine's)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$(realpath -m "${1:-$ROOT/build/dist}")"
BUILD_ARCH="$(dpkg --print-architecture)"
HOST_ARCH="${2:-$BUILD_ARCH}"
JOBS="${JOBS:-2}"

# FILEVERSION 1, 2, 0, 0 -> 1.02
read -r major minor < <(sed -n 's/^ *FILEVERSION *\([0-9]*\), *\([0-9]*\),.*/\1 \2/p' "$ROOT/res/version.rc")
RECORD_VERSION="$(printf '%d.%02d' "$major" "$minor")"
VERSION="$(dpkg-parsechangelog -l "$ROOT/debian/changelog" -S Version)"
UPSTREAM="${VERSION%-*}"
if [[ $UPSTREAM != "$RECORD_VERSION" ]]; then
  echo "debian/changelog says $UPSTREAM, the version record (res/version.rc) $RECORD_VERSION: make them one"
  exit 1
fi

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
SOURCE="$WORK/pennydance-$UPSTREAM"
mkdir "$SOURCE"
if git -C "$ROOT" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git -C "$ROOT" ls-files -z | (cd "$ROOT" && tar --null -T - -cf -) | tar -xf - -C "$SOURCE"
else
  tar -C "$ROOT" --exclude=./build --exclude=./.git -cf - . | tar -xf - -C "$SOURCE"
fi

cross=()
[[ $HOST_ARCH == "$BUILD_ARCH" ]] || cross=(-a"$HOST_ARCH")
# dpkg-buildpackage writes its results beside the source folder.
if ! (cd "$SOURCE" && dpkg-buildpackage -us -uc -b -J"$JOBS" "${cross[@]}") >"$WORK/build.log" 2>&1; then
  tail -40 "$WORK/build.log"
  echo "dpkg-buildpackage failed (the last lines above)"
  exit 1
fi
CHANGES="$WORK/pennydance_${VERSION}_${HOST_ARCH}.changes"
mkdir -p "$OUT"
dcmd cp "$CHANGES" "$OUT/"
echo "$OUT/pennydance_${VERSION}_${HOST_ARCH}.deb"
