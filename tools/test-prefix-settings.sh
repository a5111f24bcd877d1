# Registry settings of the test prefix, applied once per run after the
# wineserver has started (sourced by tools/run-tests.sh).
apply_test_prefix_settings() {
  # Programs whose name ends in _9x_test.exe see the Windows 95 family.
  local exe
  for exe in "$ROOT"/build/{i686,x86_64}/tests/win/*_9x_test.exe; do
    [[ -e $exe ]] || continue
    "$WINE64" reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$exe")" \
      /v Version /t REG_SZ /d win95 /f >/dev/null 2>&1
  done
  # Without a window manager, Wine waits 2 s for one whenever a top-level
  # window it deems managed goes away; the tests open and close hundreds.
  "$WINE64" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # The dialog's proportional Japanese face; the fixed-width default clips
  # several labels.
  "$WINE64" reg add "HKCU\\Software\\Wine\\Fonts\\Replacements" \
    /v "ＭＳ Ｐゴシック" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
  # The copy of the module that the process tests run as a Windows 95-family
  # saver; it must load the test MPR.DLL beside it, not Wine's own.
  local saver9x="HKCU\\Software\\Wine\\AppDefaults\\pennydance9x.scr"
  "$WINE64" reg add "$saver9x" /v Version /t REG_SZ /d win95 /f >/dev/null 2>&1
  "$WINE64" reg add "$saver9x\\DllOverrides" /v mpr /t REG_SZ /d native /f >/dev/null 2>&1
}
