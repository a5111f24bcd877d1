# Sourced by the package's suites after tests/e2e/e2e_lib.sh: what the
# package holds, and what lintian says of it.

PACKAGE_FILES="/usr/bin/pennydance-xscreensaver
/usr/libexec/xscreensaver/pennydance
/usr/share/applications/screensavers/pennydance.desktop
/usr/share/doc/pennydance/README
/usr/share/doc/pennydance/changelog.Debian.gz
/usr/share/doc/pennydance/copyright
/usr/share/lintian/overrides/pennydance
/usr/share/man/man1/pennydance-xscreensaver.1.gz
/usr/share/man/man6/pennydance.6.gz
/usr/share/xscreensaver/config/pennydance.xml"

# files_of PACKAGE: the files (no folders) it holds, one a line, sorted.
files_of() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ {print substr($6, 2)}' | sort; }

# lintian_findings CHANGES: lintian's exit status on the .changes and the
# packages it lists, and its errors and warnings (none: "0 ").
lintian_findings() {
  lintian "$1" >"$SHOTS/lintian.txt" 2>&1
  echo "$? $(grep -E '^[EW]: ' "$SHOTS/lintian.txt")"
}
