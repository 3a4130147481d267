#!/usr/bin/env bash
# Each backend's process entry hands the program only its own arguments: the headless runner's
# options and message file, and GTK's options, are taken out first. GTK opens the display only
# when the program opens the library, from the --display option if one was given.
#
#   arguments_test.sh HEADLESS_PROBE HEADLESS_PROBE_WITHOUT_ARGUMENTS [GTK_PROBE]
# With GTK_PROBE, DISPLAY must name a running X server.
set -euo pipefail
headless=$(realpath "$1") without=$(realpath "$2") gtk=${3:+$(realpath "$3")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
: >messages.txt
: >-messages.txt
x_display=${DISPLAY:-}

failed=0
# check PROBE "EXPECTED LINES" ARGS...: runs the probe without DISPLAY, on an empty standard input.
check() {
  local probe=$1 expected=$2 got
  shift 2
  got=$(env -u DISPLAY "$probe" "$@" </dev/null 2>&1) || got+=" (exit status $?)"
  if [ "$got" != "$(printf '%b' "$expected")" ]; then
    echo "FAIL: $(basename "$probe") $*"
    printf '  expected: %b\n  got:      %s\n' "$expected" "$got"
    failed=1
  fi
}

check "$headless" 'a\nb c' messages.txt a "b c"
check "$headless" '-x\n--png' --png "$work/p.png" --client 50 40 messages.txt -x --png
check "$headless" 'z' -- -messages.txt z
check "$headless" 'a' - a
check "$without" 'no arguments' messages.txt a b
if [ -n "$gtk" ]; then
  check "$gtk" 'a\n--\n--class=Y' --display=:99999 --class X --name=n a -- --class=Y
  check "$gtk" 'open\nopened' open --display "$x_display"
fi
exit "$failed"
