#!/usr/bin/env bash
# The Windows editor's start-up screen under Wine against shape-replay's picture for the same
# client size: rectangles, lines, the triangle, the colour bar and the rest of the drawing
# area must be the same pixels; the platform's own ellipses and text are only counted.
#   startup_pixels_test.sh PROGRAMS_DIR SHAPE_REPLAY PIXEL_COMPARE WORK_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_session.sh"

programs="$1"
replay="$2"
compare="$3"
work="$4"
require_tools wineserver Xvfb xdotool xwd convert
use_wine "$programs"

rm -rf "$work"
mkdir -p "$work"
start_x "$work"
cd "$work"
start_editor "$programs/shape-editor.exe"
graphics="$(find_window 'ZR590 Graphics')"
[ -n "$graphics" ] || fail "the graphics window did not appear (see $work/editor.log)"
run_probe
echo "client area ${client_w} x ${client_h} at (${client_x}, ${client_y}) of the desktop"

# The first waits copy the picture; take screenshots until two in a row agree (compared as X
# dumps: a PNG carries the time it was written).
screenshot() { timeout 20 xwd -silent -id "$desktop" >"$1"; }
screenshot previous.xwd
for i in $(seq 20); do
  sleep 0.5
  screenshot latest.xwd
  cmp -s latest.xwd previous.xwd && convert latest.xwd win32.png && break
  mv latest.xwd previous.xwd
done
[ -f win32.png ] || fail "the window's picture did not settle"

# Start-up only: an empty message file ends the replay at its first wait.
: >messages.txt
"$replay" --client "$client_w" "$client_h" --png replay.png messages.txt >transcript.txt ||
  fail "shape-replay failed"

# Alt+F4 closes the window as its close box does: destroyed, it ends the program.
keys key alt+F4
status="$(wait_editor_exit)"
[ "$status" = 0 ] || fail "the editor's exit status is $status, expected 0"

result=0
"$compare" win32.png "$client_x" "$client_y" replay.png "$client_w" "$client_h" \
  "$here/startup_regions.txt" diff.png || result=$?
echo "pictures and the marked differences (red) in $work: win32.png, replay.png, diff.png"
[ "$result" = 0 ] || fail "pixels differ where the platforms must agree"
