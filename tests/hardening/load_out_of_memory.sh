#!/usr/bin/env bash
# LOAD of a drawing too large for the memory the runner may use (10 million squares under
# ulimit -v 400000): the error dialog shows, and the drawing before it, its undo history and
# the runner go on: SAVE keeps the square drawn before, undo then takes it away.
#
#   load_out_of_memory.sh SHAPE_REPLAY
set -euo pipefail
replay=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
{ yes 'Square 1 2 3 4' || true; } | head -n 10000000 >huge.txt
# The square tool, a square at (0, 0), LOAD the huge drawing, SAVE, undo, SAVE again.
printf '%s\n' 'click 25 45' 'click 300 270' 'click 25 445' 'reply huge.txt' 'reply' \
  'click 25 485' 'reply before.txt' 'char z' 'click 25 485' 'reply undone.txt' >messages.txt
status=0
(ulimit -v 400000 && exec "$replay" messages.txt) >stdout.txt 2>stderr.txt || status=$?
failed=0
fail() {
  echo "$*"
  failed=1
}
[ "$status" -eq 0 ] || fail "exit status $status: $(tail -3 stderr.txt)"
grep -q '^dialog: Error opening file. Press Enter to continue.$' stdout.txt ||
  fail "no error dialog after the LOAD"
[ "$(cat before.txt 2>/dev/null)" = 'Square     0     0     0     0' ] ||
  fail "the drawing before the LOAD was not kept: $(head -c 200 before.txt 2>/dev/null)"
[ -f undone.txt ] && [ ! -s undone.txt ] || fail "undo after the LOAD did not take the square away"
if [ "$failed" -eq 0 ]; then echo "LOAD beyond the memory limit: ok"; fi
exit "$failed"
