# The user's interface. Everything real happens in CMake and tools/*.sh.
#   make          install what is missing, build everything
#   make test     ... and run every test (native and under Wine), ctest's summary at the end
#   make test-i686  ... and run only the tests of the 32-bit module (i686)
#   make run      ... and start the saver (MODE=saver|config|preview|password|x11|web, DPI=96|144...,
#                 LOCALE=en_US.UTF-8...)
#   make bench    ... and run the benchmarks
#   make soak     ... and watch the saver's memory for half an hour (SOAK_MINUTES=N, SOAK_INTERVAL=S)
#   make fuzz     build the fuzz targets (clang) and run each for a while
#   make x11      install what the X11 program's build needs, build it alone: build/x11/pennydance
#   make install  ... and install it with its files and pennydance-xscreensaver (PREFIX=/usr, DESTDIR)
#   make deb      the Debian package, build/dist/pennydance_VERSION-1_ARCH.deb, and its .changes
#   make deb-arm64  the same for arm64 (cross-built), and its X11 suite under qemu-user
#   make dist     ... and pack what users download: build/dist/pennydance-VERSION-setup.exe
#                 and pennydance-VERSION.zip for Windows, pennydance-web-VERSION.zip, the page,
#                 beside the Debian package, and SHA256SUMS
SHELL := /bin/bash
JOBS ?= 2
MODE ?= saver
ROOT := $(CURDIR)
ART := $(ROOT)/build/art
CMAKE_COMMON := -G Ninja -DART_DIR=$(ART)

.PHONY: all deps native x11 i686 x86_64 web test test-i686 run bench soak fuzz-build fuzz install deb deb-arm64 \
        dist clean

all: deps native x11 i686 x86_64 web

deps:
	@bash tools/install-deps.sh

# The tests tree: the core and every native test under the sanitizers; it
# draws the art the other trees embed.
native: deps
	@cmake -S . -B build/native $(CMAKE_COMMON) >/dev/null
	@cmake --build build/native -j $(JOBS)

# The release tree: the X11 program as it ships, build/x11/pennydance, with
# art of its own, and the native benchmarks, as the package builds it; it
# needs only the native build's packages, none of the Windows or browser ones.
x11:
	@bash tools/install-deps.sh x11
	@cmake -S . -B build/x11 -G Ninja -DPENNYDANCE_TREE=release >/dev/null
	@cmake --build build/x11 -j $(JOBS)

i686 x86_64: native
	@cmake -S . -B build/$@ $(CMAKE_COMMON) -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-$@.cmake >/dev/null
	@cmake --build build/$@ -j $(JOBS)

x86_64: i686

# The page, build/web/, from the frames the native build's art generator
# made; Emscripten's compiler runs on node, which needs Debian's modules.
web: native
	@NODE_PATH=/usr/share/nodejs cmake -S . -B build/web-build $(CMAKE_COMMON) \
	  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
	  -DCMAKE_BUILD_TYPE=Release >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build build/web-build -j $(JOBS)

fuzz-build: native
	@CC=clang CXX=clang++ cmake -S . -B build/fuzz $(CMAKE_COMMON) -DPENNYDANCE_TREE=fuzz >/dev/null
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
install: x11
	DESTDIR=$(DESTDIR) cmake --install build/x11 --prefix $(PREFIX)

deb:
	@bash tools/install-deps.sh deb
	@JOBS=$(JOBS) bash tools/make-deb.sh

# The package for arm64 (Raspberry Pi, ARM laptops), cross-built, and its
# program through the X11 window suite under qemu-user; apart from `make test`,
# as it adds the arm64 architecture to dpkg and about three minutes.
deb-arm64: native
	@bash tools/install-deps.sh arm64
	@package="$$(JOBS=$(JOBS) bash tools/make-deb.sh "" arm64)" && \
	  bash tests/deb/deb_arm64.sh "$$package" build/native/tests/x11/x11_stage \
	    build/native/tools/screen_regions/screen_regions build/deb-arm64

dist: all deb
	@bash tools/make-dist.sh

clean:
	rm -rf build
