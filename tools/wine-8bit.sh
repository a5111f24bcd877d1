#!/bin/bash
# Runs one Wine program on the 8-bit display of the test run (its own
# wineserver and prefix, since a wineserver keeps the display it started on).
set -u
if [[ -z ${PENNYDANCE_8BIT_DISPLAY:-} || -z ${PENNYDANCE_8BIT_PREFIX:-} ]]; then
  echo "no 8-bit display in this run (start tests through tools/run-tests.sh)"
  exit 1
fi
export DISPLAY="$PENNYDANCE_8BIT_DISPLAY" WINEPREFIX="$PENNYDANCE_8BIT_PREFIX"
exec "$@"
