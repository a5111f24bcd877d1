#!/bin/bash
# Runs every test: the native ones and those of both Windows builds under
# Wine, in one throw-away prefix and one Xvfb (plus an 8-bit pair for the
# palette tests), and ends with ctest's summary.
set -uo pipefail
# Debian's Wine 8 has no preloader, so with the address layout randomized
# about one Wine start in a few thousand finds something where the shared
# user data must go and fails ("failed to map the shared user data"); the
# tests start thousands. A fixed layout, which every child inherits, never
# collides.
if [[ $(</proc/self/personality) != *4???? ]] && setarch "$(uname -m)" -R true 2>/dev/null; then
  exec setarch "$(uname -m)" -R bash "$0" "$@"
fi
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ROOT/tools/wine-env.sh" "$ROOT/build/wine-prefix-8bit"
source "$ROOT/tools/test-prefix-settings.sh"

stop_all() {
  WINEPREFIX="$PENNYDANCE_8BIT_PREFIX" "$WINESERVER" -k 2>/dev/null
  [[ -n ${XVFB_8BIT_PID:-} ]] && kill "$XVFB_8BIT_PID" 2>/dev/null
  wine_stop
}

# The 8-bit pair first, then the main pair, which the environment keeps.
wine_make_prefix
xvfb_start 8
export PENNYDANCE_8BIT_PREFIX="$WINEPREFIX" PENNYDANCE_8BIT_DISPLAY="$DISPLAY"
XVFB_8BIT_PID=$XVFB_PID
trap stop_all EXIT
wine_start
apply_test_prefix_settings

export WINEPREFIX="$ROOT/build/wine-prefix"
wine_make_prefix
xvfb_start 24
wine_start
apply_test_prefix_settings

cp "$ROOT/cmake/CTestTestfile.all.cmake" "$ROOT/build/CTestTestfile.cmake"
# Where 32-bit programs run under qemu-user, the i686 tests that take many
# minutes there are left to `make test-i686` (which names its tests itself);
# the summary's count shows what ran.
if [[ $PENNYDANCE_32BIT_START_MS != 0 && $# -eq 0 ]]; then
  echo "32-bit programs run under qemu-user here; left to 'make test-i686':"
  ctest --test-dir "$ROOT/build" -N -L slow_under_qemu | grep 'Test *#'
  set -- -LE slow_under_qemu
fi
ctest --test-dir "$ROOT/build" --output-on-failure -j 2 "$@"
