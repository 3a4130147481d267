#!/usr/bin/env bash
# The GTK editor as a Wayland client of weston (its X11 backend, inside the virtual X server).
# Real clicks (through weston's X window) on the colour bar, the square tool, the drawing area
# and SAVE, a name typed into the dialog: the saved file and the window's client area must equal
# shape-replay's for the same session, which shows that GTK's title bar and shadow lie outside
# the client area and cut nothing.
#
#   wayland_session_test.sh SHAPE_EDITOR SHAPE_REPLAY      (run it under with_xvfb.sh)
set -euo pipefail

editor=$(realpath "$1")
replay=$(realpath "$2")
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
: "${DISPLAY:?wayland_session_test.sh needs a display; run it under with_xvfb.sh}"
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

name=wayland_session_test
source "$here/editor_run.sh"
weston_pid=
on_failure() {
  [ -n "${output:-}" ] && timeout 10 xwd -silent -id "$output" 2>/dev/null |
    timeout 10 "$convert" xwd:- "$work/failure.png" 2>/dev/null
  return 0
}
on_finish() {
  if [ -n "$weston_pid" ]; then kill "$weston_pid" 2>/dev/null || true; wait "$weston_pid" 2>/dev/null || true; fi
}

# The client area is as wide as the picture; its height is what GTK leaves below the menu bar
# there (the editor lays itself out by the reported size), measured on the screenshot.
client_w=601
# Client pixels: colour cell 2 (red), the square tool, a square at the centre, SAVE.
clicks=("160 23" "25 32" "300 257" "25 472")
saved=drawing.txt

export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket="zr590-$$"
# No panel: a stray click there would start a terminal over the editor.
printf '[shell]\npanel-position=none\n' >"$work/weston.ini"
weston --config="$work/weston.ini" --backend=x11-backend.so --use-pixman --socket="$socket" --width=1000 --height=800 \
  --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston did not start: $(cat "$work/weston.log")"
output=$(timeout 10 xdotool search --sync --classname '^weston' | head -n1) ||
  fail "no weston window"

cd "$work"
WAYLAND_DISPLAY="$socket" GDK_BACKEND=wayland "$editor" >editor.out 2>editor.err &
editor_pid=$!

shot() { timeout 10 xwd -silent -id "$output" | timeout 10 "$convert" xwd:- "$1" || fail "no screenshot"; }
# The client origin on weston's output: the picture's outline starts with a black row of
# 601 pixels whose first pixel heads a black column (the title bar and menu have neither).
origin=
for _ in $(seq 40); do
  sleep 0.25
  shot screen.png
  timeout 10 "$convert" screen.png -depth 8 rgb:screen.rgb
  origin=$(python3 "$here/find_picture_origin.py" screen.rgb "$(identify -format %w screen.png)" \
    "$client_w") && [ "${origin##* }" -ge 500 ] &&
    # Not before the picture is drawn, nor on weston's black output before the desktop is.
    read -r ox oy _ <<<"$origin" &&
    [ "$(timeout 10 "$convert" screen.png -format "%[fx:p{$((ox + 2)),$((oy + 2))}.intensity]" info:)" = 1 ] &&
    break
  origin=
done
[ -n "$origin" ] || fail "the picture's top left corner is not on weston's output (screen.png)"
read -r ox oy client_h <<<"$origin"
# The pointer enters weston's output first; clicks sent before that were seen to go nowhere.
# Weston follows the pointer only from an entry: Xvfb may start the pointer inside its window,
# so it leaves the window first (weston's output is 1000 x 800 on a larger screen).
timeout 5 xdotool mousemove --window "$output" 1010 810
sleep 0.2
timeout 5 xdotool mousemove --window "$output" $((ox + 300)) $((oy + 300))
sleep 0.5

for click in ${clicks[@]+"${clicks[@]}"}; do
  read -r x y <<<"$click"
  timeout 5 xdotool mousemove --window "$output" $((ox + x)) $((oy + y)) click 1
  sleep 0.2
done
# The dialog opens on weston too; keys typed go to it.
sleep 1
timeout 10 xdotool type --delay 30 "$saved"
timeout 5 xdotool key Return
for _ in $(seq 50); do [ -s "$saved" ] && break; sleep 0.1; done
[ -s "$saved" ] || fail "SAVE through the dialog wrote no $saved (see failure.png)"
timeout 5 xdotool mousemove --window "$output" 0 0
sleep 1
shot window.png

mkdir replay
{
  for click in ${clicks[@]+"${clicks[@]}"}; do echo "click $click"; done
  echo "reply $saved"
} >replay/messages.txt
(cd replay && "$replay" --client "$client_w" "$client_h" --png picture.png messages.txt \
  >transcript.txt 2>replay.err) || fail "shape-replay failed: $(cat replay/replay.err)"

cmp -s "$saved" "replay/$saved" || fail "the saved $saved differs from shape-replay's"
crop="${client_w}x${client_h}"
timeout 10 "$convert" window.png -crop "$crop+$ox+$oy" +repage rgb:client.rgb
timeout 10 "$convert" replay/picture.png -crop "$crop+0+0" +repage rgb:expected.rgb
cmp -s client.rgb expected.rgb ||
  fail "the client area at ($ox, $oy) differs from shape-replay's picture (window.png)"
echo "wayland_session_test: passed"
