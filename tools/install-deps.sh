#!/bin/bash
# Installs what building and testing Pennydance needs on Debian 12, and nothing
# when it is all there already (so that `make test` costs no time on a warm machine).
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-i686
  wine wine32:i386 wine64
  xvfb xauth x11-utils x11-apps xdotool imagemagick
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  fonts-ipafont-gothic fonts-wine locales zip unzip
  libx11-dev libxext-dev xscreensaver procps
  emscripten chromium
  nsis
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  echo "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine's ANSI code page and user interface language follow the Unix locale:
# the tests run in Japanese (code page 932), and the English dialog and
# failure texts are tested in English and French, alone and mixed with
# Japanese (LC_CTYPE and LC_MESSAGES apart), which needs each one generated.
missing_locales=()
for name in ja_JP en_US fr_FR; do
  locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" || missing_locales+=("$name")
done
if ((${#missing_locales[@]})); then
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  for name in "${missing_locales[@]}"; do
    $SUDO sed -i "s/^# *$name.UTF-8 UTF-8/$name.UTF-8 UTF-8/" /etc/locale.gen
  done
  $SUDO locale-gen >/dev/null
fi

# Some kernels here cannot run 32-bit programs, which Debian's 32-bit Wine
# loader is; qemu-user then runs it (slowly: see docs/TOOLCHAIN-NOTES.md).
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends qemu-user-static
  fi
  if [[ ! -e /proc/sys/fs/binfmt_misc/register ]]; then
    $SUDO mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  if [[ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      | $SUDO tee /proc/sys/fs/binfmt_misc/register >/dev/null
  fi
fi

# The page's tests drive Debian's Chromium with playwright-core from npm,
# pinned by tests/web/package-lock.json; it downloads no browser. Debian's
# npm only where the machine's node came without one.
if ! command -v npm >/dev/null; then
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends npm
fi
WEB_TESTS="$(cd "$(dirname "$0")/.." && pwd)/tests/web"
if [[ ! -f $WEB_TESTS/node_modules/.package-lock.json ||
      $WEB_TESTS/package-lock.json -nt $WEB_TESTS/node_modules/.package-lock.json ]]; then
  (cd "$WEB_TESTS" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi
