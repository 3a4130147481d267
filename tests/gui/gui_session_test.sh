#!/usr/bin/env bash
# A whole session of the GTK editor on a virtual X server, driven with real clicks and keys:
# a circle in blue, a rectangle from two clicks, SAVE through the real dialog, the key e
# exporting the picture as PNG (the library's ZR590_save_picture on GTK), Ctrl+L (the
# Logging item gets its check mark and the text window shows), Ctrl+Q. Checks the saved file, the exit status, and that
# the window's client area equals pixel for pixel what shape-replay renders for the same input.
#
#   gui_session_test.sh SHAPE_EDITOR SHAPE_REPLAY      (run it under with_xvfb.sh)
#
# With ZR590_GUI_SHOTS set to a directory, the screenshots (window, dialog, menu) are copied
# there for a person to look at.
set -euo pipefail

editor=$(realpath "$1")
replay=$(realpath "$2")
: "${DISPLAY:?gui_session_test.sh needs a display; run it under with_xvfb.sh}"

convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

name=gui_session_test
source "$(dirname "${BASH_SOURCE[0]}")/editor_run.sh"
on_finish() {
  if [ -n "${ZR590_GUI_SHOTS:-}" ]; then
    mkdir -p "$ZR590_GUI_SHOTS"
    cp "$work"/*.png "$ZR590_GUI_SHOTS"/ 2>/dev/null || true
  fi
}
# What the screen showed then, for the person who looks into it.
on_failure() {
  [ -n "${graphics:-}" ] && timeout 10 xwd -silent -id "$graphics" -screen 2>/dev/null |
    timeout 10 "$convert" xwd:- "$work/failure.png" 2>/dev/null
  return 0
}

# The client area: 601 x 515 below GTK's 25-pixel menu bar. Points are client pixels; the
# centre is (300, 257), so library point (x, y) is client pixel (300 + x, 257 - y).
menu_bar=25
client_w=601
client_h=515

# The session, once as client-pixel clicks for the window and once as shape-replay input.
clicks=(
  "25 112"   # circle tool (button 2)
  "184 23"   # colour cell 4, blue
  "360 217"  # a circle at (60, 40)
  "25 152"   # rectangle tool (button 3)
  "200 307"  # first corner (-100, -50)
  "400 407"  # second corner (100, -150)
  "25 472"   # SAVE (button 11)
)
name=drawing.txt
expected_file=$'Circle     60     40     4     0\nRect     -100     -50     100     -150     4     0\n'

shot() {  # WINDOW OUTPUT.png [-screen: with the windows that lie over it]
  local -a options=(-silent -id "$1")
  [ $# -ge 3 ] && options+=("$3")
  timeout 10 xwd "${options[@]}" | timeout 10 "$convert" xwd:- "$2" ||
    fail "no screenshot of window $1"
}

# Whether a window exists and is mapped (a window that is gone is not).
viewable() {
  timeout 5 xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'
}

# Dark pixels (below half intensity) in a box of a PNG.
dark_pixels() {  # PNG W H X Y
  timeout 10 "$convert" "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -threshold 50% \
    -negate -format '%[fx:round(mean*w*h)]' info:
}

# The Logging item's check mark, in the opened "Run" pull-down: a screenshot of the menu's
# own window. Its fifth row (after three items and a separator) is Logging; the mark stands
# in the column left of the labels.
logging_mark() {  # SUFFIX; sets mark and animate: dark pixels at the mark's place and at Animate's
  local popup
  timeout 5 xdotool mousemove --window "$graphics" 15 12 click 1
  popup=$(timeout 10 xdotool search --sync --onlyvisible --name '^shape-editor$' | head -n1) ||
    fail "the Run menu did not open"
  sleep 0.4
  shot "$popup" "$work/menu-$1.png"
  mark=$(dark_pixels "$work/menu-$1.png" 22 20 2 78)
  animate=$(dark_pixels "$work/menu-$1.png" 22 20 2 2)
  timeout 5 xdotool key Escape
  # Keys typed while the menu is still up would go to the menu.
  for _ in $(seq 50); do
    viewable "$popup" || break
    sleep 0.1
  done
  viewable "$popup" && fail "Escape did not close the Run menu"
  sleep 0.2
}

cd "$work"
"$editor" >editor.out 2>editor.err &
editor_pid=$!

graphics=$(timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1) ||
  fail "no \"ZR590 Graphics\" window appeared"
geometry=$(timeout 5 xdotool getwindowgeometry "$graphics" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "601x540" ] || fail "graphics window is $geometry, not 601x540"
# The text window is hidden at start.
if timeout 5 xdotool search --onlyvisible --name '^ZR590 Text$' >/dev/null; then
  fail "the text window is visible at start"
fi
sleep 0.5

for click in "${clicks[@]}"; do
  read -r x y <<<"$click"
  timeout 5 xdotool mousemove --window "$graphics" "$x" $((y + menu_bar)) click 1
  sleep 0.1
done

dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^ZR590_gets$' | head -n1) ||
  fail "SAVE opened no \"ZR590_gets\" dialog"
sleep 0.3
shot "$graphics" "$work/dialog.png" -screen  # for a person to look at
# The dialog's owner takes no input: this click on colour cell 2 must change nothing.
timeout 5 xdotool mousemove --window "$graphics" 160 $((23 + menu_bar)) click 1
timeout 5 xdotool windowfocus --sync "$dialog"
timeout 10 xdotool type --delay 20 "$name"
timeout 5 xdotool key Escape  # does nothing: the dialog ends only through Okay or Enter
sleep 0.2
viewable "$dialog" || fail "Escape closed the dialog"
timeout 5 xdotool key Return
for _ in $(seq 50); do
  viewable "$dialog" || break
  sleep 0.1
done
viewable "$dialog" && fail "Enter did not close the dialog"
for _ in $(seq 50); do [ -s "$name" ] && break; sleep 0.1; done
[ -f "$name" ] || fail "SAVE wrote no $name"
[ "$(cat "$name"; echo x)" = "${expected_file}x" ] ||
  fail "$name holds $(od -c "$name" | head -5)"

# e exports the picture: the same pixels as shape-replay's export of the same session.
timeout 5 xdotool windowfocus --sync "$graphics"
timeout 5 xdotool key e
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^ZR590_gets$' | head -n1) ||
  fail "e opened no \"ZR590_gets\" dialog"
timeout 5 xdotool windowfocus --sync "$dialog"
timeout 10 xdotool type --delay 20 export.png
timeout 5 xdotool key Return
for _ in $(seq 50); do [ -s export.png ] && break; sleep 0.1; done
[ -s export.png ] || fail "e wrote no export.png"

logging_mark before
mark_before=$mark animate_before=$animate
# Focus follows the pointer on a server without a window manager, but only until a window was
# given the focus, as the dialog was: give it to the graphics window.
timeout 5 xdotool windowfocus --sync "$graphics"
timeout 5 xdotool key ctrl+l
sleep 0.3
logging_mark after
mark_after=$mark animate_after=$animate
[ "$mark_before" -eq 0 ] || fail "Logging was checked before Ctrl+L ($mark_before dark pixels)"
[ "$mark_after" -gt 10 ] || fail "Ctrl+L left Logging unchecked ($mark_after dark pixels)"
if [ "$animate_before" -ne 0 ] || [ "$animate_after" -ne 0 ]; then
  fail "Animate shows a check mark ($animate_before, $animate_after dark pixels)"
fi
# In the editor, logging on shows the hidden text window (logging_window_test.sh has more).
timeout 10 xdotool search --sync --onlyvisible --name '^ZR590 Text$' >/dev/null ||
  fail "Ctrl+L did not show the text window"

timeout 5 xdotool mousemove --window "$graphics" 500 300
sleep 0.5
shot "$graphics" "$work/window.png"

timeout 5 xdotool windowfocus --sync "$graphics"
timeout 5 xdotool key ctrl+q
expect_editor_ends Ctrl+Q
if grep -E -- '-(CRITICAL|WARNING)' editor.err >/dev/null; then fail "GTK complained"; fi

# The same session, headless.
mkdir replay
{
  for click in "${clicks[@]}"; do echo "click $click"; done
  echo "reply $name"
  printf 'char e\nreply export.png\n'
  echo "ctrl L"
} >replay/messages.txt
(cd replay && "$replay" --client "$client_w" "$client_h" --png picture.png messages.txt \
  >transcript.txt 2>replay.err) || fail "shape-replay failed: $(cat replay/replay.err)"
cmp -s "$name" "replay/$name" || fail "the window's $name differs from shape-replay's"
exported=$(timeout 10 compare -metric AE export.png replay/export.png null: 2>&1 || true)
[ "$exported" = 0 ] || fail "export.png differs from shape-replay's in $exported pixels"

crop="${client_w}x${client_h}"
timeout 10 "$convert" window.png -crop "$crop+0+$menu_bar" +repage client.png
timeout 10 "$convert" replay/picture.png -crop "$crop+0+0" +repage expected.png
timeout 10 "$convert" client.png rgb:client.rgb
timeout 10 "$convert" expected.png rgb:expected.rgb
if ! cmp -s client.rgb expected.rgb; then
  differing=$(timeout 10 compare -metric AE client.png expected.png diff.png 2>&1 || true)
  fail "the client area differs from shape-replay's picture in $differing pixels (diff.png)"
fi
echo "gui_session_test: passed"
