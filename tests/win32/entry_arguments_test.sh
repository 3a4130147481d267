#!/usr/bin/env bash
# The Windows process entry hands main() the command line split as the C runtime splits it:
# the C probe of tests/entry, cross-built for 64-bit Windows (which this machine's Wine runs)
# and run under wine64 in a prefix of its own. Skips (77) without mingw-w64 x86_64 or wine64.
#
#   entry_arguments_test.sh SOURCE_ROOT OUT
set -euo pipefail
src=$1 out=$2
wine64=/usr/lib/wine/wine64
for tool in x86_64-w64-mingw32-gcc x86_64-w64-mingw32-g++ "$wine64"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
mkdir -p "$out"
cmake -S "$src" -B "$out/build" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86_64 \
  -DCMAKE_C_COMPILER=x86_64-w64-mingw32-gcc -DCMAKE_CXX_COMPILER=x86_64-w64-mingw32-g++ \
  -DCMAKE_BUILD_TYPE=Release -DZR590_WERROR=ON >"$out/build.log" &&
  cmake --build "$out/build" -j2 --target arguments_probe >>"$out/build.log" ||
  { echo "FAIL: cross-building the probe (see $out/build.log)"; exit 1; }

export WINEPREFIX=$out/wineprefix64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'timeout 20 /usr/lib/wine/wineserver64 -k 2>/dev/null || true' EXIT
got=$(cd "$out" && timeout 300 "$wine64" build/arguments_probe.exe a "b c" 'd"e' "" 'f\g' |
  tr -d '\r')
expected=$(printf '%s\n' a "b c" 'd"e' "" 'f\g')
[ "$got" = "$expected" ] || { printf 'FAIL: main() got\n%s\n' "$got"; exit 1; }
