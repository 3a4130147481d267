#!/usr/bin/env bash
# Runs an editor session whose large or binary files are made when the test runs rather than
# kept in the repository: SESSION_DIR/make-input.sh runs in a copy of the session folder and
# writes input/ and expected/files/ there; the copy is then run and checked exactly as
# tests/e2e/run_session.sh checks every session.
#
#   run_generated_session.sh RUN_SESSION SHAPE_REPLAY SESSION_DIR
set -euo pipefail
run_session=$1
replay=$2
session=$(cd "$3" && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
copy=$scratch/$(basename "$session")
cp -R "$session" "$copy"
mkdir -p "$copy/input" "$copy/expected/files"
(cd "$copy" && bash ./make-input.sh)
bash "$run_session" "$replay" "$copy"
