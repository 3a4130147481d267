#!/usr/bin/env bash
# The graphics window's close box ends the editor with exit status 0; the text window's close
# box, on the other hand, leaves it running.
#
#   close_box_test.sh SHAPE_EDITOR SEND_CLOSE_REQUEST      (run it under with_xvfb.sh)
set -euo pipefail
editor=$(realpath "$1")
close=$(realpath "$2")
name=close_box_test
source "$(dirname "${BASH_SOURCE[0]}")/editor_run.sh"

cd "$work"
"$editor" >/dev/null 2>editor.err &
editor_pid=$!
graphics=$(timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1) ||
  fail "no \"ZR590 Graphics\" window appeared"
text=$(timeout 5 xdotool search --name '^ZR590 Text$' | head -n1) || fail "no text window"
sleep 0.5

timeout 5 "$close" "$text"
sleep 0.5
kill -0 "$editor_pid" 2>/dev/null || fail "closing the text window ended the editor"

timeout 5 "$close" "$graphics"
expect_editor_ends "the close box"
echo "close_box_test: passed"
