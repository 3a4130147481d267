#!/usr/bin/env bash
# Builds the web pages for the browser tests with emscripten, unless built pages are given.
#   build_pages.sh SOURCE_ROOT BUILD_DIR [PAGES_DIR]
# Skips (status 77) when emscripten is missing; fails instead when CI=true.
set -euo pipefail
src="$1"
build="$2"
given="${3:-}"

skip() {
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $* (web tests cannot be skipped in CI)" >&2
    exit 1
  fi
  echo "SKIP: $*"
  exit 77
}

if [ -n "$given" ]; then
  [ -f "$given/shape-editor.html" ] || skip "no shape-editor.html in $given"
  echo "Web pages given: $given"
  exit 0
fi
command -v emcmake >/dev/null 2>&1 || skip "emscripten is not installed"
mkdir -p "$build"
emcmake cmake -S "$src" -B "$build" -DZR590_WERROR=ON >"$build/configure.log" 2>&1 || {
  cat "$build/configure.log"
  exit 1
}
cmake --build "$build" -j2
echo "Web pages ready in $build/pages"
