#!/usr/bin/env bash
# Prepares the Win32 tests under OUT. On every machine it builds the 32-bit shape-editor.exe
# (or takes the one given) and checks its image. Then it chooses the Wine that runs here: where
# 32-bit Wine starts, the 32-bit program in a 32-bit prefix; where it cannot (a kernel without
# 32-bit support), the 64-bit program, built and checked the same way, in a 64-bit prefix.
# The chosen programs (editor, menu probe, conformance suite) go to OUT/bin with wine.env, which
# names the Wine; the prefix, which shows everything on a virtual desktop, to
# OUT/wineprefix32 or OUT/wineprefix64.
#   setup.sh SOURCE_ROOT OUT [SHAPE_EDITOR_32_EXE] [SHAPE_EDITOR_64_EXE]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_session.sh"

src="$1"
out="$2"
given_exe=("" "${3:-}" "${4:-}")
require_tools i686-w64-mingw32-g++ i686-w64-mingw32-objdump wineserver

# Builds TARGET for one width with the toolchain of that mingw prefix into OUT/build-PREFIX.
build_target() {
  local mingw="$1" target="$2"
  local dir="$out/build-$mingw"
  mkdir -p "$dir"
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$src" -B "$dir" --toolchain "$src/cmake/mingw-${mingw%%-*}.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DZR590_WERROR=ON >"$dir/configure.log" ||
      fail "configuring the $mingw build failed (see $dir/configure.log)"
  fi
  cmake --build "$dir" -j2 --target "$target"
}

# Builds shape-editor.exe for one width (or takes the given one) into OUT/build-PREFIX, and
# checks that it is a self-contained GUI program of that width: the right image format,
# importing only the system's own four libraries.
editor_exe() {
  local mingw="$1" format="$2" given="$3"
  local dir="$out/build-$mingw"
  mkdir -p "$dir"
  if [ -n "$given" ]; then
    cp "$given" "$dir/shape-editor.exe"
  else
    build_target "$mingw" shape-editor
  fi
  local exe="$dir/shape-editor.exe"
  "$mingw-objdump" -f "$exe" | grep -q "file format $format\$" || fail "$exe is not a $format image"
  local dlls
  dlls="$("$mingw-objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr a-z A-Z | sort | xargs)"
  [ "$dlls" = "GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL" ] ||
    fail "$exe imports $dlls; only GDI32, KERNEL32, USER32 and msvcrt are allowed"
  echo "$exe: $format, imports $dlls"
}

editor_exe i686-w64-mingw32 pei-i386 "${given_exe[1]}"

if "$wine32_loader" --version >/dev/null 2>&1; then
  bits=32 loader="$wine32_loader" mingw=i686-w64-mingw32 why="32-bit Wine starts here"
else
  bits=64 loader="$wine64_loader" mingw=x86_64-w64-mingw32
  why="32-bit Wine cannot start here: $("$wine32_loader" --version 2>&1 | sed -n '$s/.*: //p' || true)"
  require_tools "$mingw-g++" "$mingw-objdump"
  "$loader" --version >/dev/null 2>&1 || skip "neither 32-bit nor 64-bit Wine starts here ($why)"
  editor_exe "$mingw" pei-x86-64 "${given_exe[2]}"
fi

mkdir -p "$out/bin"
cp "$out/build-$mingw/shape-editor.exe" "$out/bin/"
build_target "$mingw" conformance_win32
cp "$out/build-$mingw/conformance_win32.exe" "$out/bin/"
flags=(-std=c++20 -O2 -Wall -Wextra -Werror -static)
"$mingw-g++" "${flags[@]}" -shared "$here/probe/menu_probe_hook.cpp" -o "$out/bin/menu_probe_hook.dll"
"$mingw-g++" "${flags[@]}" "$here/probe/menu_probe.cpp" -o "$out/bin/menu_probe.exe"
printf 'wine_bits=%s\nwine_loader=%q\nwine_why=%q\n' "$bits" "$loader" "$why" >"$out/bin/wine.env"

use_wine "$out/bin"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 300 "$wine_loader" wineboot -i >"$out/wineboot.log" 2>&1 ||
    fail "wineboot failed (see $out/wineboot.log)"
fi
if ! grep -q '^"Default"="1600x1200"' "$WINEPREFIX/user.reg"; then
  # Every program of this prefix on one virtual desktop the size of the test X screen.
  (cd "$here" && timeout 120 "$wine_loader" regedit /S virtual_desktop.reg) ||
    fail "importing virtual_desktop.reg failed"
fi
timeout 120 wineserver -w
echo "Win32 programs ready in $out/bin"
