#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Run as root (or via sudo).
#   install-deps.sh          everything: build, tests, the Windows program and Wine, the web pages
#   install-deps.sh editor   only what building and running the desktop editor needs
set -euo pipefail

editor_packages=(
  cmake g++ make pkg-config libcairo2-dev libpango1.0-dev fonts-dejavu-core libgtk-3-dev
)
packages=(
  # build and tests
  cmake g++ make pkg-config googletest libgtest-dev libbenchmark-dev
  # picture and text
  libcairo2-dev libpango1.0-dev fonts-dejavu-core
  # windows
  libgtk-3-dev
  # GUI tests: a real window on a virtual X server, real clicks and keys, screenshots
  xvfb xauth xdotool x11-apps imagemagick
  # the editor's SVG export, rendered by a renderer nobody here wrote
  librsvg2-bin
  # the Wayland session test: weston on the virtual X server, python3 finds the picture on it
  weston python3
  # the install test: the launcher entry and the manual pages are checked
  desktop-file-utils man-db
  # the Debian packages (cpack -G DEB): their dependencies found by dpkg-shlibdeps (and file),
  # checked by lintian
  dpkg-dev file lintian
  # the Windows programs, 32-bit and 64-bit, and their tests under Wine: 32-bit Wine where
  # the kernel runs 32-bit programs, 64-bit Wine where it cannot
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32 wine64
  # fuzz targets (libFuzzer comes with clang's runtime) and memcheck of a whole session; a
  # save killed at each of its system calls
  clang-14 libclang-rt-14-dev valgrind strace
  # the web pages (emscripten, stb_truetype) and their tests in Chromium, Firefox and WebKit
  # (WebKitWebDriver; its MiniBrowser comes with libwebkit2gtk-4.1-0 and runs under Xvfb)
  emscripten libstb-dev chromium firefox-esr webkit2gtk-driver
)

if [ "${1:-all}" = editor ]; then
  packages=("${editor_packages[@]}")
else
  # wine32 is an i386 package. It installs also where the kernel cannot run it; the Win32
  # tests then use wine64.
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The browser tests' driver (puppeteer-core, from package-lock.json) needs node and npm; a
# machine that has its own node keeps it.
if [ "${1:-all}" != editor ] && ! command -v npm >/dev/null 2>&1; then missing+=(nodejs npm); fi
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught mid-sync fails one index now and then: try again, and if it still fails
  # install from the indexes that did arrive rather than give up.
  for attempt in 1 2 3; do
    apt-get update -qq && break
    echo "apt-get update failed (attempt $attempt)" >&2
    sleep $((attempt * 10))
  done
  if ! apt-get install -y -qq "${missing[@]}"; then
    # wine32 is the one i386 package: an i386 index the mirror has not finished leaves it
    # uninstallable. The Win32 tests then run on 64-bit Wine, as where the kernel cannot run
    # 32-bit programs.
    rest=()
    for p in "${missing[@]}"; do [ "$p" = wine32 ] || rest+=("$p"); done
    echo "install-deps: installing without wine32" >&2
    apt-get install -y -qq "${rest[@]}"
  fi
fi
