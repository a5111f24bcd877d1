#!/bin/bash
# Runs one fuzz target over a fresh copy of its committed starting inputs, so that
# nothing it keeps or finds lands in the source tree.
# Usage: run_target.sh EXECUTABLE NAME WORK_DIR [libFuzzer options...]
# The copy goes to WORK_DIR/corpus/NAME, anything found to WORK_DIR/found/NAME/.
set -euo pipefail
executable=$1 name=$2 work=$3
shift 3
here="$(cd "$(dirname "$0")" && pwd)"
corpus="$work/corpus/$name"
found="$work/found/$name"

rm -rf "$corpus"
mkdir -p "$corpus" "$found"
cp "$here/corpus/$name/"* "$corpus/"
# Starting inputs too big to keep in the repository are made afresh.
if [[ -f "$here/make_${name}_inputs.sh" ]]; then
  bash "$here/make_${name}_inputs.sh" "$corpus"
fi

options=()
case $name in
  # Room for a whole frame file and some more.
  sheet_builder) options+=(-max_len=16384) ;;
esac

exec "$executable" -artifact_prefix="$found/" "${options[@]}" "$@" "$corpus"
