#!/usr/bin/env bash
# The Windows process entry hands main() the command line split as the C runtime splits it:
# the C probe of tests/entry, cross-built for the width of the Wine the setup chose (in its
# build folder), run under that Wine as a console program.
#   entry_arguments_test.sh PROGRAMS_DIR SOURCE_ROOT OUT
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_session.sh"

require_tools wineserver
use_wine "$1"
src=$2 out=$3
mingw=$([ "$wine_bits" = 32 ] && echo i686-w64-mingw32 || echo x86_64-w64-mingw32)
build=$out/build-$mingw
{ [ -f "$build/CMakeCache.txt" ] || cmake -S "$src" -B "$build" -DZR590_WERROR=ON \
  -DCMAKE_BUILD_TYPE=Release --toolchain "$src/cmake/mingw-${mingw%%-*}.cmake"; } \
  >"$out/entry_probe.log" && cmake --build "$build" --target arguments_probe >>"$out/entry_probe.log" ||
  fail "cross-building the probe (see $out/entry_probe.log)"

trap 'timeout 20 wineserver -k 2>/dev/null || true' EXIT
got=$(DISPLAY= timeout 60 "$wine_loader" "$build/arguments_probe.exe" a "b c" 'd"e' "" 'f\g' |
  tr -d '\r')
[ "$got" = "$(printf '%s\n' a "b c" 'd"e' "" 'f\g')" ] || fail "main() got:"$'\n'"$got"
