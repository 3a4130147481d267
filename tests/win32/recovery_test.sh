#!/usr/bin/env bash
# The Windows editor under Wine keeps an unsaved drawing: a square drawn, Quit (Ctrl+Q), the
# editor started again in the same folder: `y` brings the square back, and SAVE then holds
# what shape-replay saves for the same clicks.
#   recovery_test.sh PROGRAMS_DIR SHAPE_REPLAY WORK_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_session.sh"

begin_editor_session "$@"
rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/ZR590
keep_recovery=1

# Library points: the square tool, a square, then (after the restart) SAVE.
square=("-275 225" "60 40")
save="-275 -215"
to_client() {  # X Y: sets px, py
  px=$((client_w / 2 + $1))
  py=$((client_h / 2 - $2))
}
start() {
  start_editor "$programs/shape-editor.exe"
  [ -n "$(find_window 'ZR590 Graphics')" ] || fail "the graphics window did not appear"
  run_probe
}

start
: >"$work/replay/messages.txt"
for point in "${square[@]}"; do
  to_client $point
  click "$px" "$py"
  echo "click $px $py" >>"$work/replay/messages.txt"
done
keys key ctrl+q
[ "$(wait_editor_exit)" = 0 ] || fail "the editor did not end with status 0 after Ctrl+Q"

start
# The hint's text window may have the focus: a click where no tool is chosen yet gives it back
# (shape-replay, which never restarts, does without it).
to_client 100 -100
click "$px" "$py"
keys key y
to_client $save
click "$px" "$py"
printf 'click %s %s\nreply drawing.txt\n' "$px" "$py" >>"$work/replay/messages.txt"
[ -n "$(find_window 'ZR590_gets')" ] || fail "the SAVE dialog did not appear"
keys type --delay 30 drawing.txt
keys key Return
for _ in $(seq 100); do [ -s drawing.txt ] && break; sleep 0.1; done
keys key ctrl+q
wait_editor_exit >/dev/null

(cd "$work/replay" && "$replay" --client "$client_w" "$client_h" messages.txt >/dev/null) ||
  fail "shape-replay failed"
[ -s "$work/replay/drawing.txt" ] || fail "shape-replay saved nothing"
tr -d '\r' <drawing.txt 2>/dev/null | cmp -s - "$work/replay/drawing.txt" ||
  fail "after y, SAVE wrote '$(cat drawing.txt 2>/dev/null)', not '$(cat "$work/replay/drawing.txt")'"
echo "the square drawn before Quit came back with y"
