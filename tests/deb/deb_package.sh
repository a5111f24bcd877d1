#!/bin/bash
# The Debian package as `make deb` builds it, from a clean copy of the
# tracked files: its version is the version record's, lintian finds nothing
# to warn of, it holds exactly its files and is small. Installed with apt
# (this suite runs as root, as the tests do here and in CI), it runs under a
# real xscreensaver after pennydance-xscreensaver add and under MATE's screen
# saver; removed, and installed again and purged, it leaves /usr, /etc and
# dpkg's records as they were.
# Usage: deb_package.sh SCREEN_REGIONS OUTPUT_DIR
source "$(dirname "$0")/../e2e/e2e_lib.sh" none none "$1" "$2"
source "$(dirname "$0")/../x11/x11_lib.sh"
source "$(dirname "$0")/deb_lib.sh"
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
HERE="$(cd "$(dirname "$0")" && pwd)"
ARCH="$(dpkg --print-architecture)"
export LC_ALL=C
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -q "$@" >>"$SHOTS/apt.log" 2>&1; }
installed() { dpkg-query -W -f='${Status}' pennydance 2>/dev/null | grep -q 'install ok installed' && echo installed; }
# Whatever a failed run left installed goes.
trap '[[ -n $(installed) ]] && apt_get purge pennydance; cleanup' EXIT

# One version: the version record's is the package's and the page's address the manual's.
read -r major minor < <(sed -n 's/^ *FILEVERSION *\([0-9]*\), *\([0-9]*\),.*/\1 \2/p' "$ROOT/res/version.rc")
record_version="$(printf '%d.%02d' "$major" "$minor")"
version="$(dpkg-parsechangelog -l "$ROOT/debian/changelog" -S Version)"
check "debian/changelog's upstream version is the version record's" "$record_version" "${version%-*}"
home_page="$(sed -n 's/^#define HOME_PAGE_ADDRESS "\(.*\)"$/\1/p' "$ROOT/res/resource_ids.h")"
check "the home page in debian/control and the manual" "$home_page $home_page" \
  "$(sed -n 's/^Homepage: //p' "$ROOT/debian/control") $(sed -n 's/^The home page: //p' "$ROOT/x11/pennydance.6")"

rm -rf "$SHOTS/dist"
package="$(bash "$ROOT/tools/make-deb.sh" "$SHOTS/dist" | tail -1)"
name="pennydance_${version}_$ARCH"
check "make-deb.sh builds the package and its .changes" "$SHOTS/dist/$name.deb $SHOTS/dist/$name.changes" \
  "$package $(ls "$SHOTS/dist/$name.changes" 2>/dev/null)"
check "lintian on the .changes and its packages: no error, no warning" "0 " \
  "$(lintian_findings "$SHOTS/dist/$name.changes")"
check_that "the package under 150 KB" "under 153600 bytes" \
  "$([[ $(stat -c %s "$package" 2>/dev/null || echo 999999) -lt 153600 ]] && echo true)"
check "the dependencies dpkg-shlibdeps found" "libc6 libx11-6 libxext6" \
  "$(dpkg-deb -f "$package" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort | tr '\n' ' ' | sed 's/ $//')"
check "the screen savers it goes with" "xscreensaver | mate-screensaver" "$(dpkg-deb -f "$package" Recommends)"
check "the files it holds" "$PACKAGE_FILES" "$(files_of "$package")"

# What the package may touch, listed before its install and after its removal.
system_listing() {
  find /usr /etc /var/lib/dpkg/info -xdev \( -type d -printf '%p dir %m %u\n' \) \
    -o -printf '%p %y %m %u %s\n' 2>/dev/null | sort
}
[[ -n $(installed) ]] && { echo "pennydance was installed before the suite: purged first"; apt_get purge pennydance; }
use_saver_user  # before the listing: the user is the suites', not the package's
system_listing >"$SHOTS/before.txt"

apt_get install "$package"
check "apt installs it" installed "$(installed)"
check "each of its files where it belongs" "$PACKAGE_FILES" \
  "$(dpkg -L pennydance | while read -r path; do [[ -f $path ]] && echo "$path"; done | sort)"
while IFS='|' read -r section page headings; do
  check "man $section $page shows its manual" "$headings" \
    "$(man "$section" "$page" 2>/dev/null | col -b | grep -E '^[A-Z][A-Z ]+$' | tr '\n' ' ' | sed 's/ $//')"
done <<'TABLE'
6|pennydance|NAME SYNOPSIS DESCRIPTION OPTIONS SETTINGS SIGNALS EXIT STATUS ENVIRONMENT FILES SEE ALSO
1|pennydance-xscreensaver|NAME SYNOPSIS DESCRIPTION EXIT STATUS FILES SEE ALSO
TABLE

# The suites print their own checks; each counts here as one.
while IFS='|' read -r title suite arguments; do
  echo "--- $title"
  # shellcheck disable=SC2086
  bash "$suite" $arguments 2>&1 | sed 's/^/  /'
  check "$title" 0 "${PIPESTATUS[0]}"
done <<TABLE
the installed program under xscreensaver after pennydance-xscreensaver add|$ROOT/tests/x11/x11_xscreensaver.sh|/usr/libexec/xscreensaver/pennydance $SCREEN_REGIONS $SHOTS/xscreensaver /usr/bin/pennydance-xscreensaver
the installed program under MATE's screen saver|$HERE/mate_screensaver.sh|$SCREEN_REGIONS $SHOTS/mate
TABLE

for way in remove purge; do
  [[ -n $(installed) ]] || apt_get install "$package"
  apt_get "$way" pennydance
  system_listing >"$SHOTS/after-$way.txt"
  check "apt $way leaves the system as it was" "" \
    "$(diff "$SHOTS/before.txt" "$SHOTS/after-$way.txt" | head -20)"
done

finish
