# The user's interface. Everything real happens in CMake and tools/*.sh.
#   make          install what is missing, build everything
#   make test     ... and run every test (native and under Wine), ctest's summary at the end
#   make test-i686  ... and run only the tests of the 32-bit module (i686)
#   make run      ... and start the saver (MODE=saver|config|preview|password|x11|web, DPI=96|144...,
#                 LOCALE=en_US.UTF-8...)
#   make bench    ... and run the benchmarks
#   make soak     ... and watch the saver's memory for half an hour (SOAK_MINUTES=N, SOAK_INTERVAL=S)
#   make fuzz     build the fuzz targets (clang) and run each for a while
#   make install  the X11 program and its xscreensaver settings file (PREFIX=/usr, DESTDIR)
#   make dist     ... and pack what users download: build/dist/pennydance-VERSION-setup.exe
#                 and pennydance-VERSION.zip for Windows, pennydance-web-VERSION.zip, the page,
#                 and SHA256SUMS
SHELL := /bin/bash
JOBS ?= 2
MODE ?= saver
ROOT := $(CURDIR)
ART := $(ROOT)/build/art
CMAKE_COMMON := -G Ninja -DART_DIR=$(ART)

.PHONY: all deps native i686 x86_64 web test test-i686 run bench soak fuzz-build fuzz install dist clean

all: deps native i686 x86_64 web

deps:
	@bash tools/install-deps.sh

native: deps
	@cmake -S . -B build/native $(CMAKE_COMMON) >/dev/null
	@cmake --build build/native -j $(JOBS)

i686 x86_64: native
	@cmake -S . -B build/$@ $(CMAKE_COMMON) -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-$@.cmake >/dev/null
	@cmake --build build/$@ -j $(JOBS)

x86_64: i686

# The page, build/web/, from the frames the native build's art generator
# made; Emscripten's compiler runs on node, which needs Debian's modules.
web: native
	@NODE_PATH=/usr/share/nodejs cmake -S . -B build/web-build $(CMAKE_COMMON) \
	  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
	  -DPENNYDANCE_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build build/web-build -j $(JOBS)

fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B build/fuzz $(CMAKE_COMMON) -DPENNYDANCE_FUZZ=ON >/dev/null
	@cmake --build build/fuzz -j $(JOBS)

test: all fuzz-build
	@bash tools/run-tests.sh

test-i686: all
	@bash tools/run-tests.sh -R '^i686\.'

run: all
	@bash tools/run-saver.sh $(MODE)

bench: all
	@bash tools/run-bench.sh

soak: all
	@bash tools/run-soak.sh

fuzz: fuzz-build
	@bash tools/run-fuzz.sh

# Where Debian's xscreensaver looks for hacks and their settings files.
PREFIX ?= /usr
DESTDIR ?=
install: native
	install -D -m 755 build/native/pennydance $(DESTDIR)$(PREFIX)/libexec/xscreensaver/pennydance
	install -D -m 644 x11/pennydance.xml $(DESTDIR)$(PREFIX)/share/xscreensaver/config/pennydance.xml

dist: all
	@bash tools/make-dist.sh

clean:
	rm -rf build
