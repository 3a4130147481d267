#!/usr/bin/env bash
# docs/editor.png, the README's picture, must be what the runner renders from
# docs/editor-picture.msg, pixel for pixel (ImageMagick's compare; skipped without it).
#
#   readme_picture_test.sh SHAPE_REPLAY SOURCE_DIR
set -euo pipefail
replay=$(realpath "$1") docs=$(cd "$2/docs" && pwd)
command -v compare >/dev/null || { echo "SKIP: no ImageMagick compare"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$replay" --png picture.png "$docs/editor-picture.msg" >/dev/null)
differ=$(compare -metric AE "$work/picture.png" "$docs/editor.png" null: 2>&1) || true
if [ "$differ" != 0 ]; then
  echo "FAIL: docs/editor.png is not what the runner renders ($differ). Render it again with"
  echo "  shape-replay --png docs/editor.png docs/editor-picture.msg"
  exit 1
fi
