#!/bin/bash
# The arm64 package as `make deb-arm64` cross-builds it: lintian finds
# nothing to warn of, it holds the amd64 package's files with an arm64
# program, and that program passes the X11 window suite under qemu-user
# (through qemu-aarch64-static: no binfmt rule runs arm64 programs here).
# Usage: deb_arm64.sh PACKAGE STAGE SCREEN_REGIONS OUTPUT_DIR
source "$(dirname "$0")/../e2e/e2e_lib.sh" none none "$3" "$4"
source "$(dirname "$0")/deb_lib.sh"
PACKAGE="$1"
STAGE="$2"

check "lintian on the .changes and its packages: no error, no warning" "0 " \
  "$(lintian_findings "${PACKAGE%.deb}.changes")"
check "an arm64 package" arm64 "$(dpkg-deb -f "$PACKAGE" Architecture)"
check "the files it holds" "$PACKAGE_FILES" "$(files_of "$PACKAGE")"
rm -rf "$SHOTS/unpacked"
dpkg-deb -x "$PACKAGE" "$SHOTS/unpacked"
program="$SHOTS/unpacked/usr/libexec/xscreensaver/pennydance"
check "an arm64 program" AArch64 "$(LC_ALL=C readelf -h "$program" | sed -n 's/^ *Machine: *//p')"

# The suite starts PROGRAM and signals its process: exec keeps the one process.
runner="$SHOTS/pennydance-under-qemu"
printf '#!/bin/sh\nexec qemu-aarch64-static -L /usr/aarch64-linux-gnu %s "$@"\n' "$program" >"$runner"
chmod 755 "$runner"
echo "--- the X11 window suite, the arm64 program under qemu-user"
bash "$(dirname "$0")/../x11/x11_window.sh" "$runner" "$STAGE" "$SCREEN_REGIONS" "$SHOTS/window" 2>&1 |
  sed 's/^/  /'
check "the X11 window suite under qemu-user" 0 "${PIPESTATUS[0]}"

finish
