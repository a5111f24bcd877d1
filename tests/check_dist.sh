#!/bin/bash
# The download: make-dist.sh packs the modules that the tests ran, byte for
# byte, under the version their version record carries, with a read-me in
# Windows line ends and checksums that hold.
# Usage: check_dist.sh WORK_DIR
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
work="$1"
failed=0
check() {
  if [[ $2 == "$3" ]]; then echo "ok   $1"; else echo "FAIL $1: expected [$2], got [$3]"; failed=1; fi
}

# The file version as the dialog shows it, read from VS_FIXEDFILEINFO: the
# word after its signature 0xFEEF04BD and structure version 0x10000 (the
# signature alone also stands in the dialog's code, which looks for it).
file_version() {
  local at minor major
  at="$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe\x00\x00\x01\x00' "$1" | head -1 | cut -d: -f1)"
  read -r minor major < <(od -An -tu2 -j $((at + 8)) -N 4 "$1")
  printf '%d.%02d' "$major" "$minor"
}

i686="$ROOT/build/i686/pennydance.scr" x86_64="$ROOT/build/x86_64/pennydance.scr"
version="$(file_version "$i686")"
check "both modules carry one version" "$version" "$(file_version "$x86_64")"
rm -rf "$work"
mapfile -t archives < <(bash "$ROOT/tools/make-dist.sh" "$work")
zip="${archives[0]:-}" web_zip="${archives[1]:-}"
check "the archives are named after it" "$work/pennydance-$version.zip $work/pennydance-web-$version.zip" \
  "$zip $web_zip"

unpacked="$work/unpacked"
mkdir -p "$unpacked" && unzip -q "$zip" -d "$unpacked"
check "what the archive holds" "32-bit/ 32-bit/pennydance.scr 64-bit/ 64-bit/pennydance.scr README.txt SHA256SUMS" \
  "$(unzip -Z1 "$zip" | sort | tr '\n' ' ' | sed 's/ $//')"
for row in "32-bit:$i686" "64-bit:$x86_64"; do
  check "${row%%:*}/pennydance.scr is the tested module" "$(sha256sum <"${row#*:}")" \
    "$(sha256sum <"$unpacked/${row%%:*}/pennydance.scr")"
done
check "SHA256SUMS holds" "ok" "$(cd "$unpacked" && sha256sum --quiet -c SHA256SUMS >/dev/null 2>&1 && echo ok)"
check "the read-me has Windows line ends" 0 "$(grep -vc $'\r$' "$unpacked/README.txt")"
check "the read-me names the version" 1 "$(grep -c "^Pennydance $version," "$unpacked/README.txt")"

# The page: the tested build/web/ files, byte for byte, in one folder.
web_unpacked="$work/web-unpacked"
mkdir -p "$web_unpacked" && unzip -q "$web_zip" -d "$web_unpacked"
check "the page's archive holds its folder" \
  "pennydance-web/ pennydance-web/README.txt pennydance-web/SHA256SUMS pennydance-web/index.html pennydance-web/module_choice.js pennydance-web/page.js pennydance-web/pennydance-scalar.js pennydance-web/pennydance.js" \
  "$(unzip -Z1 "$web_zip" | sort | tr '\n' ' ' | sed 's/ $//')"
check "and the page's files as built" "" \
  "$(for f in index.html page.js module_choice.js pennydance.js pennydance-scalar.js; do cmp -s "$ROOT/build/web/$f" "$web_unpacked/pennydance-web/$f" || echo "$f"; done)"

[[ $failed == 0 ]] && echo "distribution ok: $zip $web_zip"
exit $failed
