# Copied to build/ by tools/run-tests.sh: one ctest run over all the builds.
subdirs("native" "x86_64" "i686" "fuzz")
