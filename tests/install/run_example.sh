#!/usr/bin/env bash
# Runs a program linked with the headless backend on NAME_messages.txt, in an empty folder,
# with the arguments given; its transcript must be NAME_transcript.txt, with nothing on
# standard error and exit status 0.
#
#   run_example.sh PROGRAM NAME [ARGUMENT...]
#
# With EXPECT_PICTURE=FILE the program must have saved its picture there, the picture it ends
# with.
set -euo pipefail
program=$(realpath "$1") name=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
(cd "$work" && "$program" --png "$work/end.png" "$name"_messages.txt "$@") >"$work/out" \
  2>"$work/err" || status=$?
if [ "$status" -ne 0 ] || [ -s "$work/err" ] ||
  ! diff -u "$name"_transcript.txt "$work/out"; then
  echo "FAIL: $(basename "$program") $*: exit status $status; standard error:" >&2
  cat "$work/err" >&2
  exit 1
fi
if [ -n "${EXPECT_PICTURE:-}" ] &&
  [ "$(compare -metric AE "$work/$EXPECT_PICTURE" "$work/end.png" null: 2>&1)" != 0 ]; then
  echo "FAIL: $(basename "$program") $*: no $EXPECT_PICTURE, or not the final picture" >&2
  exit 1
fi
