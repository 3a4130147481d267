#!/usr/bin/env bash
# The example of docs/drawing-format.md, loaded at the start and saved again by shape-replay,
# comes back byte for byte: the document shows the format as SAVE writes it.
#
#   drawing_example_test.sh SHAPE_REPLAY DRAWING_FORMAT_MD
set -euo pipefail
replay=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
awk '/^```drawing$/ { inside = 1; next } /^```$/ { inside = 0 } inside' "$2" >"$scratch/example.txt"
[ -s "$scratch/example.txt" ] || { echo "no drawing example in $2"; exit 1; }
printf 'click 25 485\nreply saved.txt\n' >"$scratch/messages.txt"
(cd "$scratch" && "$replay" messages.txt example.txt >/dev/null)
cmp "$scratch/example.txt" "$scratch/saved.txt" || { echo "the example did not come back as it was"; exit 1; }
echo "drawing format example: $(wc -l <"$scratch/example.txt") records, saved back byte for byte"
