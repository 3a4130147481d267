#!/usr/bin/env bash
# The editor's log can be seen: Ctrl+L (logging on) shows the hidden "ZR590 Text" window with the
# log lines in it; Ctrl+L again (off) leaves it shown; its close box only hides it, so the next
# Ctrl+L that switches logging on shows it again; the editor runs on throughout.
#
#   logging_window_test.sh SHAPE_EDITOR SEND_CLOSE_REQUEST      (run it under with_xvfb.sh)
set -euo pipefail
editor=$(realpath "$1")
close=$(realpath "$2")
: "${DISPLAY:?logging_window_test.sh needs a display; run it under with_xvfb.sh}"
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

name=logging_window_test
source "$(dirname "${BASH_SOURCE[0]}")/editor_run.sh"

viewable() {
  timeout 5 xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'
}
# Waits up to 5 s for the text window to be shown (yes) or hidden (no).
expect_text_window() {  # yes|no WHAT
  for _ in $(seq 50); do
    if viewable "$text"; then [ "$1" = yes ] && return 0; else [ "$1" = no ] && return 0; fi
    sleep 0.1
  done
  fail "$2"
}
ctrl_l() {
  timeout 5 xdotool windowfocus --sync "$graphics"
  timeout 5 xdotool key ctrl+l
}

cd "$work"
"$editor" >/dev/null 2>editor.err &
editor_pid=$!
graphics=$(timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1) ||
  fail "no \"ZR590 Graphics\" window appeared"
text=$(timeout 5 xdotool search --name '^ZR590 Text$' | head -n1) || fail "no text window"
sleep 0.5
expect_text_window no "the text window is shown at start"

ctrl_l
expect_text_window yes "Ctrl+L (logging on) did not show the text window"
# The animation redraws ten times a second, and with logging on every drawing call is a line.
sleep 0.5
timeout 10 xwd -silent -id "$text" | timeout 10 "$convert" xwd:- "$work/text.png" ||
  fail "no screenshot of the text window"
dark=$(timeout 10 "$convert" "$work/text.png" -colorspace Gray -threshold 50% -negate \
  -format '%[fx:round(mean*w*h)]' info:)
[ "$dark" -gt 500 ] || fail "the text window shows no log lines ($dark dark pixels)"

ctrl_l
sleep 0.5
expect_text_window yes "Ctrl+L (logging off) hid the text window"

timeout 5 "$close" "$text"
expect_text_window no "the text window's close box did not hide it"
kill -0 "$editor_pid" 2>/dev/null || fail "closing the text window ended the editor"

ctrl_l
expect_text_window yes "after its close box, Ctrl+L (logging on) did not show the text window again"

timeout 5 xdotool key ctrl+q
expect_editor_ends Ctrl+Q
echo "logging_window_test: passed"
