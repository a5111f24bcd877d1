# Sourced by the scripts that name a download after the module's version.
# module_version MODULE: the file version of its version record as the
# dialog shows it, FILEVERSION 1,2,0,0 -> 1.02.
module_version() {
  local major minor
  read -r major minor < <(LC_ALL=C i686-w64-mingw32-windres -i "$1" -O rc |
    sed -n 's/^ *FILEVERSION \([0-9]*\), *\([0-9]*\),.*/\1 \2/p' | head -1)
  [[ -n ${minor:-} ]] || { echo "no version record in $1" >&2; return 1; }
  printf '%d.%02d' "$major" "$minor"
}
