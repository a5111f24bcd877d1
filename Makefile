# The user's interface. Everything real happens in CMake and tools/*.sh.
#   make          install what is missing, build everything
#   make test     ... and run every test (native and under Wine), ctest's summary at the end
#   make run      ... and start the saver (MODE=saver|config|preview|password)
#   make bench    ... and run the benchmarks
SHELL := /bin/bash
JOBS ?= 2
MODE ?= saver
ROOT := $(CURDIR)
ART := $(ROOT)/build/art
CMAKE_COMMON := -G Ninja -DART_DIR=$(ART)

.PHONY: all deps native i686 x86_64 test run bench clean

all: deps native i686 x86_64

deps:
	@bash tools/install-deps.sh

native: deps
	@cmake -S . -B build/native $(CMAKE_COMMON) >/dev/null
	@cmake --build build/native -j $(JOBS)

i686 x86_64: native
	@cmake -S . -B build/$@ $(CMAKE_COMMON) -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-$@.cmake >/dev/null
	@cmake --build build/$@ -j $(JOBS)

x86_64: i686

test: all
	@bash tools/run-tests.sh

run: all
	@bash tools/run-saver.sh $(MODE)

bench: all
	@bash tools/run-bench.sh

clean:
	rm -rf build
