#!/usr/bin/env bash
# Installs what the desktop editor needs, builds it and starts it (GTK 3; needs a display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh editor
cmake -S . -B build-editor-app -DCMAKE_BUILD_TYPE=Release -DZR590_BUILD_TESTS=OFF \
  -DZR590_BUILD_BENCH=OFF
cmake --build build-editor-app -j"$(nproc)" --target shape-editor
exec ./build-editor-app/graphics/platform/gtk/shape-editor
