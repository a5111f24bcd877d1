#!/bin/bash
# Checks the built module from outside: its two exports under their plain
# names, that it imports nothing but system DLLs (it must run alone), and
# that the dialog's COMCTL32 and SHELL32 are not among them (loaded by name
# when the dialog needs them, they cost a full-screen run nothing), that it
# ships without debug sections and with its sections on page boundaries in
# the file (so Wine maps them instead of reading them into private memory),
# its application manifest, which declares it DPI-aware, and that its English
# dialog has exactly the Japanese one's controls.
# Usage: check_module.sh OBJDUMP WINDRES MODULE
set -uo pipefail
export LC_ALL=C  # objdump speaks Japanese under the test run's locale
objdump="$1" windres="$2" module="$3"
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
debug_sections="$("$objdump" -h "$module" | awk '$2 ~ /^\.debug_/ {print $2}' | tr '\n' ' ')"
if [[ -n $debug_sections ]]; then
  echo "not stripped: $debug_sections"
  failed=1
fi
if ! grep -qE '^FileAlignment\s+00001000$' <<<"$dump"; then
  echo "file alignment is not 4096: $(grep FileAlignment <<<"$dump")"
  failed=1
fi

resources="$("$windres" -i "$module" -O rc 2>/dev/null)"

# The manifest: resource type 24 (RT_MANIFEST), id 1, language neutral, as
# windres decompiles it (one quoted line per line, quotes doubled).
manifest="$(awk '/^LANGUAGE / {neutral = ($0 == "LANGUAGE 0, 0")} /^1 24 / {inside = neutral}
       inside && /^END$/ {inside = 0} inside' <<<"$resources" |
  sed -n 's/^  "\(.*\)\\n"$/\1/p' | sed 's/""/"/g' | tr -d '\n')"
dpi_aware='<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">.*'\
'<application xmlns="urn:schemas-microsoft-com:asm.v3">.*<windowsSettings>.*'\
'<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>.*'\
'<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2</dpiAwareness>.*'\
'</windowsSettings>.*</application>.*</assembly>'
if [[ -z $manifest ]]; then
  echo "no language-neutral manifest (resource type 24, id 1)"
  failed=1
elif ! grep -q "$dpi_aware" <<<"$manifest"; then
  echo "the manifest does not declare dpiAware true and dpiAwareness PerMonitorV2: $manifest"
  failed=1
fi

# Dialog 2003 in one language (the LANGUAGE line windres writes before it).
dialog_in() {
  awk -v language="$1" '/^LANGUAGE / {current = $0} /^2003 DIALOG / {inside = (current == language)}
                        inside; inside && /^END$/ {inside = 0}' <<<"$resources"
}
# The template less what a language may change: the caption, the font and
# each control's text (the first quoted string of its line).
without_texts() { sed -E '/^(CAPTION|FONT) /d; s/^(  [A-Z]+ )L?"([^"]|"")*", /\1/'; }
japanese="$(dialog_in 'LANGUAGE 17, 1')"
english="$(dialog_in 'LANGUAGE 9, 1')"
if [[ -z $japanese || -z $english ]]; then
  echo "dialog 2003 is not there in Japanese (17, 1) and in English (9, 1)"
  failed=1
elif ! diff <(without_texts <<<"$japanese") <(without_texts <<<"$english"); then
  echo "the English dialog 2003 (>) differs from the Japanese one (<) beyond its texts"
  failed=1
elif ! grep -qx 'FONT 8, "MS Shell Dlg"' <<<"$english"; then
  echo "the English dialog is not in the usual dialog font: $(grep '^FONT ' <<<"$english")"
  failed=1
fi

[[ $failed == 0 ]] && echo "module ok: exports [$exports], stripped, page-aligned, DPI-aware manifest," \
  "English dialog with the Japanese one's $(grep -c '^  ' <<<"$english") controls"
exit $failed
