#!/bin/bash
# Checks the built module from outside: its two exports under their plain
# names, that it imports nothing but system DLLs (it must run alone), and
# that the dialog's COMCTL32 and SHELL32 are not among them (loaded by name
# when the dialog needs them, they cost a full-screen run nothing).
# Usage: check_module.sh OBJDUMP MODULE
set -uo pipefail
export LC_ALL=C  # objdump speaks Japanese under the test run's locale
objdump="$1" module="$2"
dump="$("$objdump" -p "$module")" || { echo "cannot read $module"; exit 1; }
failed=0

exports="$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')"
if [[ $exports != "ScreenSaverConfigureDialog ScreenSaverProc " ]]; then
  echo "exports are [$exports], expected exactly ScreenSaverConfigureDialog and ScreenSaverProc"
  failed=1
fi

allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|SHELL32|msvcrt)\.dll$'
loaded_by_name='^(COMCTL32|SHELL32)\.dll$'
while read -r dll; do
  if ! grep -qiE "$allowed" <<<"$dll"; then
    echo "imports $dll, which is not part of Windows"
    failed=1
  elif grep -qiE "$loaded_by_name" <<<"$dll"; then
    echo "imports $dll, which only the dialog needs and loads by name"
    failed=1
  fi
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$dump")

if ! grep -q "Subsystem.*(Windows GUI)" <<<"$dump"; then
  echo "not a GUI program: $(grep Subsystem <<<"$dump")"
  failed=1
fi
[[ $failed == 0 ]] && echo "module ok: exports [$exports]"
exit $failed
