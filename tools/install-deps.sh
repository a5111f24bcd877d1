#!/bin/bash
# Installs what building and testing Pennydance needs on Debian 12, and nothing
# when it is all there already (so that `make test` costs no time on a warm machine).
# Usage: install-deps.sh [x11|deb|arm64|all]
#   x11    only what the X11 program's own build needs (make x11, make install)
#   deb    that and the Debian packaging tools (make deb)
#   arm64  that and the arm64 cross tools, X libraries and qemu-user (make deb-arm64)
#   all    everything: the Windows, browser and native builds and every test (default)
set -euo pipefail

x11_packages=(cmake ninja-build g++ libx11-dev libxext-dev)
# dpkg-dev comes with debhelper; named, it would upgrade dpkg itself.
deb_packages=("${x11_packages[@]}" build-essential debhelper devscripts lintian)
# Never qemu-user or qemu-user-binfmt: apt would remove qemu-user-static,
# which runs 32-bit Wine where the kernel cannot.
arm64_packages=("${deb_packages[@]}" crossbuild-essential-arm64 libx11-dev:arm64 libxext-dev:arm64
                qemu-user-static)
all_packages=(
  "${deb_packages[@]}" clang libclang-rt-14-dev googletest
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-i686
  wine wine32:i386 wine64
  xvfb xauth x11-utils x11-apps xdotool imagemagick
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  fonts-ipafont-gothic fonts-wine locales zip unzip
  xscreensaver procps mate-screensaver dbus-x11
  emscripten chromium firefox-esr
  nsis
)
group="${1:-all}"
case $group in
  x11) packages=("${x11_packages[@]}") ;;
  deb) packages=("${deb_packages[@]}") ;;
  arm64) packages=("${arm64_packages[@]}") ;;
  all) packages=("${all_packages[@]}") ;;
  *) echo "usage: install-deps.sh [x11|deb|arm64|all]" >&2; exit 2 ;;
esac

if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\(.*\)/\1/p' | sort -u); do
    dpkg --print-foreign-architectures | grep -qx "$arch" || $SUDO dpkg --add-architecture "$arch"
  done
  $SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
    --no-install-recommends "${missing[@]}"
fi
[[ $group == all ]] || exit 0

# Wine's ANSI code page and user interface language follow the Unix locale:
# the tests run in Japanese (code page 932), and the English dialog and
# failure texts are tested in English and French, alone and mixed with
# Japanese (LC_CTYPE and LC_MESSAGES apart), which needs each one generated.
missing_locales=()
for name in ja_JP en_US fr_FR; do
  locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" || missing_locales+=("$name")
done
if ((${#missing_locales[@]})); then
  for name in "${missing_locales[@]}"; do
    $SUDO sed -i "s/^# *$name.UTF-8 UTF-8/$name.UTF-8 UTF-8/" /etc/locale.gen
  done
  $SUDO locale-gen >/dev/null
fi

# Some kernels here cannot run 32-bit programs, which Debian's 32-bit Wine
# loader is; qemu-user then runs it (slowly: see docs/TOOLCHAIN-NOTES.md).
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
      --no-install-recommends qemu-user-static
  fi
  if [[ ! -e /proc/sys/fs/binfmt_misc/register ]]; then
    $SUDO mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  if [[ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      | $SUDO tee /proc/sys/fs/binfmt_misc/register >/dev/null
  fi
fi

# The page's tests drive Debian's Chromium with playwright-core and its
# Firefox ESR with puppeteer-core, from npm, pinned by
# tests/web/package-lock.json; neither downloads a browser. Debian's
# npm only where the machine's node came without one.
if ! command -v npm >/dev/null; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
    --no-install-recommends npm
fi
WEB_TESTS="$(cd "$(dirname "$0")/.." && pwd)/tests/web"
if [[ ! -f $WEB_TESTS/node_modules/.package-lock.json ||
      $WEB_TESTS/package-lock.json -nt $WEB_TESTS/node_modules/.package-lock.json ]]; then
  (cd "$WEB_TESTS" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi
