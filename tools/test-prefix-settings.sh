# Registry settings of the test prefix, applied once per run after the
# wineserver has started (sourced by tools/run-tests.sh).
apply_test_prefix_settings() {
  # Programs whose name ends in _9x_test.exe see the Windows 95 family.
  local exe
  for exe in "$ROOT"/build/x86_64/tests/win/*_9x_test.exe; do
    [[ -e $exe ]] || continue
    "$WINE64" reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$exe")" \
      /v Version /t REG_SZ /d win95 /f >/dev/null 2>&1
  done
}
