# Sourced by the scripts that run Wine: one prefix and one display per run.
# Usage: source tools/wine-env.sh PREFIX_DIR
export WINEPREFIX="$(realpath -m "$1")"
export WINEDEBUG=-all
# No Mono/Gecko installers, no debugger dialog on a fault (the fault then
# reaches the program's own filter), no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d"
export WINE64=/usr/lib/wine/wine64
export WINE32=/usr/lib/wine/wine
export WINESERVER=/usr/lib/wine/wineserver
# Wine's ANSI code page and user interface language follow the locale: 932
# and Japanese, as the saver's texts need (the tests of the English dialog
# and failure texts set their own).
export LC_ALL=ja_JP.UTF-8
# Where 32-bit programs run under qemu-user, its guest address space ends
# just above Wine's shared user data at 0x7FFE0000: Wine's reservation of
# everything above then fails fast instead of searching 2 GB page by page for
# each of its 65,000 attempts (a start takes 8 s instead of 50 to 130 s; see
# docs/TOOLCHAIN-NOTES.md). Only qemu reads it.
export QEMU_RESERVED_VA=0x82000000
# How much longer than a 64-bit one a 32-bit Wine process may take to start,
# for the waits of the tests that start 32-bit programs.
if grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
  export PENNYDANCE_32BIT_START_MS=60000
else
  export PENNYDANCE_32BIT_START_MS=0
fi

# Creates the prefix from a template made once per machine (creating one
# takes minutes when the 32-bit half runs under qemu-user). With win32, a
# 32-bit prefix (WINEARCH=win32), where only the 32-bit loader runs.
wine_make_prefix() {
  local arch="${1:-win64}" template="$ROOT/build/wine-template" loader="$WINE64"
  if [[ $arch == win32 ]]; then
    template+="-win32" loader="$WINE32"
  fi
  if [[ ! -f $template/.complete ]]; then
    rm -rf "$template"
    echo "creating the Wine prefix template ($arch, once per machine)..."
    WINEPREFIX="$template" WINEARCH="$arch" DISPLAY= "$loader" wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX="$template" "$WINESERVER" -w
    touch "$template/.complete"
  fi
  rm -rf "$WINEPREFIX"
  cp -a "$template" "$WINEPREFIX"
  rm -f "$WINEPREFIX/.complete"
}

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

# Starts the wineserver and the desktop once, before any test, so that no
# test pays for them.
wine_start() {
  "$WINESERVER" -p
  "$WINE64" cmd /c exit >/dev/null 2>&1 || true
}

wine_stop() {
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  if [[ -n ${XVFB_PID:-} ]]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}
