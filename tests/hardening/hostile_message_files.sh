#!/usr/bin/env bash
# The headless runner given message files with a 2 MB line, a 40-digit number, a NUL byte, or
# only whitespace: it runs what the lines say, or refuses the file with one short line on
# standard error naming the bad line, exit status 2, and nothing run.
#
#   hostile_message_files.sh SHAPE_REPLAY
set -euo pipefail
replay=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

failed=0
fail() {
  echo "$*"
  failed=1
}

# run NAME EXPECTED_STATUS EXPECTED_STDERR: runs the runner on NAME.txt in an empty folder and
# compares status and standard error; standard output is left in NAME.out.
run() {
  local name=$1 want_status=$2 want_stderr=$3 status=0
  mkdir "$name.work"
  (cd "$name.work" && "$replay" "../$name.txt") >"$name.out" 2>"$name.err" || status=$?
  [ "$status" -eq "$want_status" ] || fail "$name: exit status $status, not $want_status"
  [ "$(cat "$name.err")" = "$want_stderr" ] ||
    fail "$name: standard error was: $(head -c 300 "$name.err")"
}

# A 2 MB comment and a 255-byte reply: the reply is the file name, whole.
big=$(head -c $((2 << 20)) /dev/zero | tr '\0' a)
name=${big:0:255}
{
  echo "# ${big}"
  echo "click 25 45"
  echo "click 300 270"
  echo "click 25 485"
  echo "reply ${name}"
} >big_line.txt
run big_line 0 ""
[ -f "big_line.work/$name" ] || fail "big_line: no file saved under the 255-byte name"
[ "$(grep '^reply: ' big_line.out)" = "reply: $name" ] || fail "big_line: the reply shown differs"

# A reply of 256 bytes, or of 2 MB, would be cut into another name than the one typed: a bad
# line, and nothing runs.
for length in 256 $((2 << 20)); do
  printf 'click 25 485\nreply %s\n' "${big:0:$length}" >"long_reply_$length.txt"
  run "long_reply_$length" 2 "$replay: ../long_reply_$length.txt: line 2: reply longer than 255 bytes"
  [ ! -s "long_reply_$length.out" ] || fail "long_reply_$length: something ran"
done

# A 40-digit coordinate: refused before anything runs.
printf 'click 25 45\nclick %s 270\nclick 25 485\nreply x.txt\n' "$(printf '9%.0s' {1..40})" >forty.txt
click_error="click needs two client pixel coordinates from 0 to 65535"
run forty 2 "$replay: ../forty.txt: line 2: $click_error"
[ ! -s forty.out ] || fail "forty: something ran"
[ -z "$(ls forty.work)" ] || fail "forty: files were made"

# A NUL byte, after a number and as a line of its own: a short error, printable.
printf 'click 25 45\0\n' >nul_number.txt
run nul_number 2 "$replay: ../nul_number.txt: line 1: $click_error"
printf 'click 25 45\n\0\0\0\n' >nul_line.txt
run nul_line 2 "$replay: ../nul_line.txt: line 2: unknown message '???'"

# Only whitespace: nothing to do, and the run ends at once as the window is closed.
printf '   \n\t\n\r\n\n' >blank.txt
run blank 0 ""
[ ! -s blank.out ] || fail "blank: output: $(head -c 300 blank.out)"

[ "$failed" -eq 0 ] && echo "hostile message files: ok"
exit "$failed"
