#!/usr/bin/env bash
# The GTK editor's window made larger, as a user or a tiling window manager does: the client
# area stays at the top left, enlarged by the largest whole factor that fits (here 2, each pixel
# an exact 2 x 2 block), the rest of the window white; clicks land on the picture pixel under
# the pointer, and the program still sees its 601 x 515 client area.
#
#   resize_test.sh SHAPE_EDITOR SHAPE_REPLAY      (run it under with_xvfb.sh)
set -euo pipefail
editor=$(realpath "$1")
replay=$(realpath "$2")
name=resize_test
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/editor_run.sh"

menu_bar=25
cd "$work"
"$editor" >/dev/null 2>editor.err &
editor_pid=$!
graphics=$(timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1) ||
  fail "no \"ZR590 Graphics\" window appeared"
# Room for twice the client area and a little more, not three times.
timeout 5 xdotool windowsize --sync "$graphics" 1300 1200 || fail "the window could not grow"
sleep 0.5
# The square tool, then a square at the client area's centre: client pixels, clicked at twice
# their place.
clicks=("25 32" "300 257")
for click in "${clicks[@]}"; do
  read -r x y <<<"$click"
  timeout 5 xdotool mousemove --window "$graphics" $((2 * x)) $((menu_bar + 2 * y)) click 1
  sleep 0.2
done
sleep 0.5
timeout 10 xwd -silent -id "$graphics" | timeout 10 convert xwd:- window.png

mkdir replay
printf 'click %s\n' "${clicks[@]}" >replay/messages.txt
(cd replay && "$replay" --client 601 515 --png picture.png messages.txt >/dev/null) ||
  fail "shape-replay failed"
convert replay/picture.png -crop 601x515+0+0 +repage -scale 200% -depth 8 rgb:expected.rgb
convert window.png -crop "1202x1030+0+$menu_bar" +repage -depth 8 rgb:client.rgb
cmp -s client.rgb expected.rgb || fail "the client area is not the picture enlarged twice (window.png)"
# Right of and below the enlarged client area: the window background.
beside=$(convert window.png -crop "98x1175+1202+$menu_bar" +repage -format '%[fx:minima.intensity]' info:)
below=$(convert window.png -crop "1202x145+0+$((menu_bar + 1030))" +repage -format '%[fx:minima.intensity]' info:)
[ "$beside" = 1 ] && [ "$below" = 1 ] || fail "the rest of the window is not white (window.png)"
echo "resize_test: passed"
