#!/usr/bin/env bash
# The Windows editor under Wine on a private X server, driven like a user: the menu read back
# with its check marks, Ctrl+L and Ctrl+R toggling them in the graphics window, active from
# the start; a circle and an outlined blue rectangle placed; SAVE through the real dialog
# (Escape ignored, name typed, one Enter); Ctrl+Q in the graphics window, active again once
# the dialog has gone. The saved file, replacing an older one, must hold what shape-replay
# saves for the same clicks, with CR LF line ends, with nothing left beside it, and the editor
# must exit with status 0. The key e then exports the picture as PNG (ZR590_save_picture with
# GDI's pixels): the drawing as shape-replay exports it, but for the edges GDI draws its own way.
# Then the window is made larger: a little (the client area stays as it was at the top left,
# the window background beside it), then to more than twice (the client area enlarged twice,
# each pixel an exact 2 x 2 block: StretchBlt with COLORONCOLOR).
#   editor_session_test.sh PROGRAMS_DIR SHAPE_REPLAY WORK_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_session.sh"

begin_editor_session "$@"
# SAVE replaces an older drawing of that name.
echo 'Square     9     9     9     9' >drawing.txt
start_editor "$programs/shape-editor.exe"
graphics="$(find_window 'ZR590 Graphics')"
[ -n "$graphics" ] || fail "the graphics window did not appear (see $work/win32/editor.log)"

# The menu, as the editor built it; expected.txt lines ending in * match by prefix.
check_menu() {
  local expected="$1" what="$2"
  grep -E '^(bar|item) ' probe.txt >menu.txt || true
  local want got n=0
  exec 4<"$expected" 5<menu.txt
  while IFS= read -r want <&4; do
    n=$((n + 1))
    IFS= read -r got <&5 || fail "$what: the menu has fewer than $n lines; read back:$(printf '\n'; cat menu.txt)"
    if [[ "$want" == *'*' ]]; then
      [ "${got:0:$((${#want} - 1))}" = "${want%\*}" ] || fail "$what: line $n is '$got', expected '$want'"
    else
      [ "$got" = "$want" ] || fail "$what: line $n is '$got', expected '$want'"
    fi
  done
  if IFS= read -r got <&5; then fail "$what: the menu has more than $n lines: '$got'"; fi
  exec 4<&- 5<&-
  echo "menu ($what): $((n - 1)) items as expected"
}

sed -e 's/^item 4 4 - /item 4 4 checked /' -e 's/^item 6 5 - /item 6 5 checked /' \
  "$here/expected_menu.txt" >expected_checked.txt

# The display switches logging off at start, so nothing is checked.
run_probe
echo "client area ${client_w} x ${client_h} at (${client_x}, ${client_y}) of the desktop"
check_menu "$here/expected_menu.txt" "at start"
keys key ctrl+l ctrl+r
run_probe
check_menu expected_checked.txt "after Ctrl+L, Ctrl+R"
keys key ctrl+l ctrl+r
run_probe
check_menu "$here/expected_menu.txt" "after Ctrl+L, Ctrl+R again"

# The session in library coordinates; both programs get the same client pixels.
session=(
  "-275 145"   # circle tool
  "50 50"      # a circle
  "-116 234"   # colour 4 (blue)
  "-275 -100"  # fill switch: OFF
  "-275 105"   # rectangle tool
  "100 100"    # first corner
  "200 -50"    # second corner
  "-275 -215"  # SAVE
)
: >"$work/replay/messages.txt"
for point in "${session[@]}"; do
  read -r x y <<<"$point"
  px=$((client_w / 2 + x))
  py=$((client_h / 2 - y))
  echo "click $px $py" >>"$work/replay/messages.txt"
  click "$px" "$py"
done
printf 'reply drawing.txt\nchar e\nreply export.png\nctrl Q\n' >>"$work/replay/messages.txt"

dialog="$(find_window 'ZR590_gets')"
[ -n "$dialog" ] || fail "the SAVE dialog did not appear"
# Escape is not an answer: the dialog stays until Enter or "Okay".
keys key Escape
sleep 0.5
[ "$(timeout 10 xdotool search --onlyvisible --name '^ZR590_gets$' | head -n1)" = "$dialog" ] ||
  fail "Escape closed the SAVE dialog"
keys type --delay 30 drawing.txt
keys key Return
for i in $(seq 100); do
  grep -q Circle drawing.txt && break
  sleep 0.1
done
grep -q Circle drawing.txt || fail "one Enter did not end the SAVE dialog and save"
keys key e
[ -n "$(find_window 'ZR590_gets')" ] || fail "e opened no dialog"
keys type --delay 30 export.png
keys key Return
for i in $(seq 100); do
  [ -s export.png ] && break
  sleep 0.1
done
[ -s export.png ] || fail "e wrote no export.png"

region() {  # SCREENSHOT X Y W H OUTPUT
  timeout 10 convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 "rgb:$6"
}
timeout 20 xwd -silent -id "$desktop" | timeout 20 convert xwd:- before.png
x0=$client_x y0=$client_y w0=$client_w h0=$client_h
run_probe resize 900 700
[ "$client_w" -gt "$w0" ] && [ "$client_h" -gt "$h0" ] ||
  fail "the window did not grow: client area $client_w x $client_h"
sleep 1
timeout 20 xwd -silent -id "$desktop" | timeout 20 convert xwd:- after.png
region before.png "$x0" "$y0" "$w0" "$h0" before.rgb
region after.png "$x0" "$y0" "$w0" "$h0" after.rgb
cmp -s before.rgb after.rgb || fail "the client area changed when the window grew (after.png)"
white=$(timeout 10 convert after.png -crop "$((client_w - w0))x${client_h}+$((x0 + w0))+$y0" +repage \
  -format '%[fx:minima.intensity]' info:)
[ "$white" = 1 ] || fail "beside the client area the grown window is not white (after.png)"
echo "window grown to a $client_w x $client_h client area: the picture kept at the top left"
run_probe resize 1240 1100
sleep 1
timeout 20 xwd -silent -id "$desktop" | timeout 20 convert xwd:- twice.png
timeout 10 convert before.png -crop "${w0}x${h0}+$x0+$y0" +repage -scale 200% -depth 8 rgb:expected2.rgb
region twice.png "$x0" "$y0" "$((2 * w0))" "$((2 * h0))" twice.rgb
cmp -s expected2.rgb twice.rgb || fail "the client area is not shown enlarged twice (twice.png)"
echo "window grown to a $client_w x $client_h client area: the picture enlarged twice"
client_x=$x0 client_y=$y0 client_w=$w0 client_h=$h0
keys key ctrl+q
status="$(wait_editor_exit)"
[ "$status" = 0 ] || fail "the editor's exit status is $status, expected 0"
echo "exit status 0"

(cd "$work/replay" && "$replay" --client "$client_w" "$client_h" messages.txt >transcript.txt) ||
  fail "shape-replay failed"
printf 'Circle     50     50     0     0\nRect     100     100     200     -50     4     1\n' \
  >"$work/expected_drawing.txt"
cmp "$work/replay/drawing.txt" "$work/expected_drawing.txt" ||
  fail "shape-replay saved something else than the session's two shapes"
# A text file on Windows ends its lines with CR LF; otherwise the bytes are the same.
lines=$(wc -l <drawing.txt)
crlf=$(grep -c $'\r$' drawing.txt || true)
[ "$lines" = 2 ] && [ "$crlf" = 2 ] || fail "drawing.txt has $lines lines, $crlf of them ending in CR LF"
tr -d '\r' <drawing.txt >drawing.lf.txt
cmp drawing.lf.txt "$work/replay/drawing.txt" || fail "the Windows editor saved other bytes than shape-replay"
echo "drawing.txt: the same records as shape-replay's, lines ending in CR LF"
left=$(ls -A | grep -F .zr590- || true)
[ -z "$left" ] || fail "files left beside the drawing: $left"
echo "the older drawing.txt was replaced, nothing left beside it"
[ "$(identify -format '%w %h' export.png)" = "601 540" ] || fail "export.png is no 601 x 540 PNG"
differ=$(compare -metric AE export.png "$work/replay/export.png" null: 2>&1 || true)
[ "${differ%%.*}" -le 600 ] 2>/dev/null ||
  fail "export.png differs from shape-replay's in $differ pixels (more than GDI's edges)"
echo "export.png: shape-replay's export but for $differ edge pixels"
