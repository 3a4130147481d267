#!/usr/bin/env bash
# SAVE as a user meets it: a read-only drawing is refused with the error dialog and kept; a
# writable drawing in a read-only folder is saved; a drawing with a second hard link and a mode
# of its own stays the same file; a name with a backslash is saved as typed (escaped in the
# transcript). As root the runner drops the capabilities that override file permissions.
#
#   save_in_place.sh SHAPE_REPLAY
set -euo pipefail
replay=$(realpath "$1")
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
cd "$scratch"
old='Circle     1     2     3     4'
new='Square     0     0     0     0'
mkdir locked
for f in readonly.txt locked/drawing.txt linked.txt; do echo "$old" >$f; done
chmod 444 readonly.txt
chmod 555 locked
chmod 640 linked.txt
ln linked.txt other-name.txt
inode=$(stat -c %i linked.txt)

# The square tool, a square at (0, 0), then SAVE four times. Tool button i is at (25, 45 + 40i).
printf '%s\n' 'click 25 45' 'click 300 270' 'click 25 485' 'reply readonly.txt' 'reply' \
  'click 25 485' 'reply locked/drawing.txt' 'click 25 485' 'reply linked.txt' \
  'click 25 485' 'reply back\slash.txt' >messages.txt
ask='dialog: Enter the name of the file you would like to save to:'
printf '%s\n' "$ask" 'reply: readonly.txt' 'dialog: Error opening file. Press Enter to continue.' \
  'reply: ' "$ask" 'reply: locked/drawing.txt' "$ask" 'reply: linked.txt' "$ask" \
  'reply: back\\slash.txt' >expected.txt

as_user=()
if [ "$(id -u)" -eq 0 ]; then as_user=(setpriv --bounding-set -dac_override,-dac_read_search,-fowner --); fi
status=0
"${as_user[@]}" "$replay" messages.txt >stdout.txt 2>stderr.txt || status=$?

failed=0
check() { # check WHAT CONDITION...
  local what=$1
  shift
  if ! "$@"; then
    echo "$what"
    failed=1
  fi
}
check "exit status $status" [ "$status" -eq 0 ]
check "standard error: $(cat stderr.txt)" [ ! -s stderr.txt ]
check "transcript differs (- expected, + got)" diff -u expected.txt stdout.txt
check "the read-only drawing was changed" [ "$(cat readonly.txt)" = "$old" ]
check "not saved in the read-only folder" [ "$(cat locked/drawing.txt)" = "$new" ]
check "the other hard link kept the old drawing" [ "$(cat other-name.txt)" = "$new" ]
check "the drawing is another file now" [ "$(stat -c '%i %a' linked.txt)" = "$inode 640" ]
check "the name with a backslash was not saved" [ "$(cat 'back\slash.txt')" = "$new" ]
check "unexpected files: $(ls -A . locked)" [ "$(ls -A . locked | tr '\n' ' ')" = \
  '.: back\slash.txt expected.txt linked.txt locked messages.txt other-name.txt readonly.txt stderr.txt stdout.txt  locked: drawing.txt ' ]
if [ "$failed" -eq 0 ]; then echo "save in place: ok"; fi
exit "$failed"
