#!/usr/bin/env bash
# SAVE and LOAD of names that are no regular file: a pipe nobody writes, /dev/zero (endless),
# a folder. Each shows the error dialog at once (nothing waits on the pipe or reads forever)
# and stays what it was.
#
#   not_files_session.sh SHAPE_REPLAY
set -euo pipefail
replay=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
mkfifo pipe
mkdir folder
: >messages.txt
: >expected.txt
for name in pipe /dev/zero folder; do
  for button in 'save to:;485' 'open:;445'; do
    [ "$name" = /dev/zero ] && [ "${button%;*}" = 'save to:' ] && continue  # not ours to test
    printf '%s\n' "click 25 ${button#*;}" "reply $name" 'reply' >>messages.txt
    printf '%s\n' "dialog: Enter the name of the file you would like to ${button%;*}" \
      "reply: $name" 'dialog: Error opening file. Press Enter to continue.' 'reply: ' >>expected.txt
  done
done
status=0
timeout 60 "$replay" messages.txt >stdout.txt 2>stderr.txt || status=$?
failed=0
fail() {
  echo "$*"
  failed=1
}
[ "$status" -eq 0 ] || fail "exit status $status (124: it waited)"
[ ! -s stderr.txt ] || fail "standard error: $(cat stderr.txt)"
diff -u expected.txt stdout.txt || fail "transcript differs (- expected, + got)"
[ -p pipe ] && [ -d folder ] || fail "the pipe or the folder was replaced"
if [ "$failed" -eq 0 ]; then echo "names that are no file: ok"; fi
exit "$failed"
