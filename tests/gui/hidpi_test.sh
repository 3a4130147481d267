#!/usr/bin/env bash
# The GTK editor on a scaled screen (GDK_SCALE=2): every picture pixel is an exact 2 x 2 block,
# so the window's client area equals shape-replay's picture enlarged twice, pixel for pixel.
#
#   hidpi_test.sh SHAPE_EDITOR SHAPE_REPLAY      (run it under with_xvfb.sh)
set -euo pipefail
editor=$(realpath "$1")
replay=$(realpath "$2")
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
name=hidpi_test
source "$here/editor_run.sh"

cd "$work"
GDK_SCALE=2 "$editor" >/dev/null 2>editor.err &
editor_pid=$!
graphics=$(timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1) ||
  fail "no \"ZR590 Graphics\" window appeared"
sleep 1
timeout 10 xwd -silent -id "$graphics" | timeout 10 convert xwd:- window.png
convert window.png -depth 8 rgb:window.rgb
origin=$(python3 "$here/find_picture_origin.py" window.rgb "$(identify -format %w window.png)" 1202) ||
  fail "no picture outline 1202 pixels wide in window.png"
read -r ox oy height <<<"$origin"
# The client area is 601 x 515 picture pixels below GTK's menu bar, as unscaled; the screen
# may show fewer rows of it (`height`), which are compared.
mkdir replay
: >replay/messages.txt
(cd replay && "$replay" --client 601 515 --png picture.png messages.txt >/dev/null) ||
  fail "shape-replay failed"
rows=$(( (height < 1030 ? height : 1030) / 2 * 2 ))
convert replay/picture.png -scale 200% -crop "1202x$rows+0+0" +repage -depth 8 rgb:expected.rgb
convert window.png -crop "1202x$rows+$ox+$oy" +repage -depth 8 rgb:client.rgb
cmp -s client.rgb expected.rgb || fail "the window is not the picture enlarged twice (window.png)"
echo "hidpi_test: passed"
