#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors (the web pages too) and runs every
# test, the web pages' in Chromium, Firefox and WebKit among them; then builds and
# runs the tests again under AddressSanitizer and UndefinedBehaviorSanitizer; then builds the
# fuzz targets with clang and runs each a fixed number of times under both sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
# The web pages (emscripten) and the pinned browser-test driver; the native tests labelled
# web drive these pages in Chromium, Firefox and WebKit.
npm ci --no-audit --no-fund
emcmake cmake -S . -B build-web -DZR590_WERROR=ON
cmake --build build-web -j"$jobs"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR590_WERROR=ON \
  -DZR590_WEB_PAGES="$PWD/build-web/pages"
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZR590_WERROR=ON -DZR590_SANITIZE=ON \
  -DZR590_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE no-sanitize

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZR590_WERROR=ON -DZR590_FUZZ=ON -DZR590_SANITIZE=ON -DZR590_BUILD_TESTS=OFF \
  -DZR590_BUILD_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_targets
ctest --test-dir build-fuzz --output-on-failure -j"$jobs" -L fuzz
