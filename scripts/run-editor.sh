#!/usr/bin/env bash
# Installs what the desktop editor needs, builds it and the headless runner shape-replay in
# build-editor-app/ of the source tree, and starts the editor (GTK 3; needs a display) in the
# drawings folder, where its drawings and ZR590.SCR go: $ZR590_DRAWINGS, by default ~/ZR590
# (made if missing), never the source tree. Arguments go to the editor: drawings to start
# with, found where the caller names them.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$source_dir/build-editor-app
bash "$source_dir/scripts/install-deps.sh" editor
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DZR590_BUILD_TESTS=OFF \
  -DZR590_BUILD_BENCH=OFF
cmake --build "$build_dir" -j"$(nproc)" --target shape-editor shape-replay
drawings=${ZR590_DRAWINGS:-$HOME/ZR590}
mkdir -p "$drawings"
arguments=()
for argument in "$@"; do
  case $argument in
    -*) arguments+=("$argument") ;;  # an option
    *) arguments+=("$(realpath -m -- "$argument")") ;;
  esac
done
echo "Drawings and ZR590.SCR go to $drawings (another folder: ZR590_DRAWINGS=FOLDER)" >&2
cd "$drawings"
exec "$build_dir/editor/shape-editor" ${arguments[@]+"${arguments[@]}"}
