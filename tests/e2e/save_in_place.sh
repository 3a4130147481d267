#!/usr/bin/env bash
# SAVE as a user meets it, in a whole editor session: a read-only drawing is refused with the
# error dialog and stays as it was; a writable drawing in a read-only folder is saved; a drawing
# with a second hard link and a mode of its own stays the same file, so both names show the new
# drawing; a name with a backslash is saved under that name (the transcript shows it escaped).
# Run as root, the runner drops the capabilities that override file permissions, so that it
# meets the checks a user meets.
#
#   save_in_place.sh SHAPE_REPLAY
set -euo pipefail
replay=$(realpath "$1")
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
cd "$scratch"

old='Circle     1     2     3     4'
new='Square     0     0     0     0'
echo "$old" >readonly.txt
chmod 444 readonly.txt
mkdir locked
echo "$old" >locked/drawing.txt
chmod 555 locked
echo "$old" >linked.txt
chmod 640 linked.txt
ln linked.txt other-name.txt
inode=$(stat -c %i linked.txt)

# The square tool, a square at (0, 0), then SAVE four times. Tool button i is at (25, 45 + 40i).
cat >messages.txt <<'MESSAGES'
click 25 45
click 300 270
click 25 485
reply readonly.txt
reply
click 25 485
reply locked/drawing.txt
click 25 485
reply linked.txt
click 25 485
reply back\slash.txt
MESSAGES
ask='dialog: Enter the name of the file you would like to save to:'
cat >expected.txt <<TRANSCRIPT
$ask
reply: readonly.txt
dialog: Error opening file. Press Enter to continue.
reply: 
$ask
reply: locked/drawing.txt
$ask
reply: linked.txt
$ask
reply: back\\\\slash.txt
TRANSCRIPT

as_user=()
if [ "$(id -u)" -eq 0 ]; then as_user=(setpriv --bounding-set -dac_override,-dac_read_search,-fowner --); fi
status=0
"${as_user[@]}" "$replay" messages.txt >stdout.txt 2>stderr.txt || status=$?

failed=0
fail() {
  echo "$*"
  failed=1
}
[ "$status" -eq 0 ] || fail "exit status $status"
[ ! -s stderr.txt ] || fail "standard error: $(cat stderr.txt)"
diff -u expected.txt stdout.txt || fail "transcript differs (- expected, + got)"
[ "$(cat readonly.txt)" = "$old" ] || fail "the read-only drawing was changed"
[ "$(cat locked/drawing.txt)" = "$new" ] || fail "the drawing in the read-only folder was not saved"
[ "$(ls -A locked)" = "drawing.txt" ] || fail "files left in the read-only folder: $(ls -A locked)"
[ "$(cat other-name.txt)" = "$new" ] || fail "the drawing's other hard link kept the old drawing"
[ "$(stat -c '%i %a' linked.txt)" = "$inode 640" ] || fail "the drawing is another file now"
[ "$(cat 'back\slash.txt')" = "$new" ] || fail "the name with a backslash was not saved"
expected_files='back\slash.txt expected.txt linked.txt locked messages.txt other-name.txt'
expected_files="$expected_files readonly.txt stderr.txt stdout.txt "
[ "$(ls -A . | tr '\n' ' ')" = "$expected_files" ] || fail "unexpected files: $(ls -A .)"
if [ "$failed" -eq 0 ]; then echo "save in place: ok"; fi
exit "$failed"
