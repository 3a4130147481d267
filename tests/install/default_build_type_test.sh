#!/usr/bin/env bash
# A configure that names no build type makes an optimised (Release) build.
#   default_build_type_test.sh SOURCE_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$1" -B "$work" -DZR590_BUILD_TESTS=OFF -DZR590_BUILD_BENCH=OFF >"$work/log"
grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$work/CMakeCache.txt" ||
  { echo "FAIL: $(grep '^CMAKE_BUILD_TYPE:' "$work/CMakeCache.txt")"; exit 1; }
