#!/usr/bin/env bash
# The programs' command lines: help and version without a display, the reason when a file
# fails or an argument is wrong (and nothing run), and messages from standard input. The editor runs without DISPLAY,
# so that any attempt to open its windows fails.
#
#   command_line_test.sh SHAPE_REPLAY [SHAPE_EDITOR]
set -euo pipefail
replay=$(realpath "$1") editor=${2:+$(realpath "$2")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir adir
echo "ctrl L" >log.msg  # logging on: a run that starts shows log lines

failed=0
matches() {  # FILE REGEX: a line of FILE matches, or with an empty REGEX, FILE is empty
  if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -Eq "$2" "$1"; fi
}
# check STATUS STDOUT_REGEX STDERR_REGEX STDIN COMMAND...
check() {
  local want_status=$1 want_out=$2 want_err=$3 input=$4 status=0
  shift 4
  env -u DISPLAY "$@" <"$input" >out 2>err || status=$?
  if [ "$status" -ne "$want_status" ] || ! matches out "$want_out" || ! matches err "$want_err"
  then
    echo "FAIL: ${*#"$work"/}: status $status (want $want_status)"
    head -3 out err
    failed=1
  fi
}

version='\(ZR590\) [0-9]+\.[0-9]+$'
check 0 '^usage: shape-replay \[--png' '' /dev/null "$replay" --help
check 0 "^shape-replay $version" '' /dev/null "$replay" --version
check 2 '' "^$replay: cannot read missing.msg: No such file or directory$" /dev/null \
  "$replay" missing.msg
check 2 '' "^$replay: cannot read adir: Is a directory$" /dev/null "$replay" adir
check 2 '' "^$replay: cannot write nodir/p.png: No such file or directory$" /dev/null \
  "$replay" --png nodir/p.png log.msg
check 2 '' "^$replay: cannot read missing.txt: No such file or directory$" /dev/null \
  "$replay" log.msg missing.txt
check 0 '^text: Clearing the graphics window$' '' log.msg "$replay" -
# The runner's own command-line errors: one reason, the usage, status 2, nothing run.
echo "bogus 1" >bad.msg
while IFS='|' read -r reason arguments; do
  # shellcheck disable=SC2086  # the arguments are words
  check 2 '' "^$replay: $reason\$" /dev/null "$replay" $arguments
done <<'CASES'
no message file given|
no message file given|--png p.png
--png needs a file name|--png
--client needs a width and a height from 1 to 4096|--client 5 log.msg
--client needs a width and a height from 1 to 4096|--client 0 5 log.msg
--client needs a width and a height from 1 to 4096|--client 5 4097 log.msg
unknown option -x|-x log.msg
bad.msg: line 1: unknown message 'bogus'|bad.msg
CASES
if [ -n "$editor" ]; then
  check 0 '^usage: shape-editor \[DRAWING' '' /dev/null "$editor" --help
  check 0 "^shape-editor $version" '' /dev/null "$editor" --version
  check 2 '' "^$editor: cannot read missing.txt: No such file or directory$" /dev/null \
    "$editor" missing.txt
  check 2 '' "^$editor: unknown option -x$" /dev/null "$editor" -x
fi
exit "$failed"
