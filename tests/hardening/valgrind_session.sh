#!/usr/bin/env bash
# Runs an editor session under valgrind's memcheck and fails on any memory error and on any
# block definitely or indirectly lost, apart from the caches of fontconfig and Pango that
# SUPPRESSIONS names. The session is checked as tests/e2e/run_session.sh checks every session,
# so the program must also behave the same under valgrind.
#
#   valgrind_session.sh RUN_SESSION SHAPE_REPLAY SESSION_DIR SUPPRESSIONS
set -euo pipefail
run_session=$1
replay=$(realpath "$2")
session=$3
suppressions=$(realpath "$4")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
log=$scratch/memcheck.log
# run_session.sh takes a program; this one is shape-replay under memcheck.
cat >"$scratch/shape-replay" <<WRAPPER
#!/bin/sh
exec valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \\
  --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect \\
  --track-origins=yes --num-callers=30 --suppressions="$suppressions" --log-file="$log" \\
  "$replay" "\$@"
WRAPPER
chmod +x "$scratch/shape-replay"

if bash "$run_session" "$scratch/shape-replay" "$session"; then
  grep -E 'ERROR SUMMARY|definitely lost|indirectly lost' "$log" | sed 's/^==[0-9]*== //'
  exit 0
fi
echo "--- memcheck's report:"
cat "$log"
exit 1
