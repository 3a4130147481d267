#!/usr/bin/env bash
# Prepares the Win32 tests: builds shape-editor.exe with mingw-w64 (unless one is given), the
# menu probe, and a 32-bit Wine prefix, all under OUT.
#   setup.sh SOURCE_ROOT OUT [SHAPE_EDITOR_EXE]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_session.sh"

src="$1"
out="$2"
given_exe="${3:-}"
mingw=i686-w64-mingw32-g++
require_tools "$mingw" wine wineboot wineserver

mkdir -p "$out/bin"
if [ -n "$given_exe" ]; then
  cp "$given_exe" "$out/bin/shape-editor.exe"
else
  cmake -S "$src" -B "$out/build" --toolchain "$src/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DZR590_WERROR=ON >"$out/configure.log" ||
    fail "configuring the cross build failed (see $out/configure.log)"
  cmake --build "$out/build" -j2 --target shape-editor
  cp "$out/build/shape-editor.exe" "$out/bin/"
fi

flags=(-std=c++20 -O2 -Wall -Wextra -Werror -static)
"$mingw" "${flags[@]}" -shared "$here/probe/menu_probe_hook.cpp" -o "$out/bin/menu_probe_hook.dll"
"$mingw" "${flags[@]}" "$here/probe/menu_probe.cpp" -o "$out/bin/menu_probe.exe"

use_wine_prefix "$out/wineprefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 300 wineboot -i >"$out/wineboot.log" 2>&1 || fail "wineboot failed (see $out/wineboot.log)"
  timeout 120 wineserver -w
fi
echo "Win32 programs ready in $out/bin"
