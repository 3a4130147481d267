#!/usr/bin/env bash
# The GTK editor on scaled screens. GDK_SCALE=2: every picture pixel is an exact 2 x 2 block, so
# the window's client area equals shape-replay's picture enlarged twice, pixel for pixel.
# GDK_DPI_SCALE=2: the menu's text grows, the client area shows the same part of the picture.
#
#   hidpi_test.sh SHAPE_EDITOR SHAPE_REPLAY      (run it under with_xvfb.sh)
#
# With ZR590_GUI_SHOTS set to a directory, the screenshots are copied there (README's HiDPI
# picture is the GDK_SCALE=2 one).
set -euo pipefail
editor=$(realpath "$1")
replay=$(realpath "$2")
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
name=hidpi_test
source "$here/editor_run.sh"

cd "$work"
mkdir replay
: >replay/messages.txt
(cd replay && "$replay" --client 601 515 --png picture.png messages.txt >/dev/null) ||
  fail "shape-replay failed"

for setting in "GDK_SCALE=2 2" "GDK_DPI_SCALE=2 1"; do
  read -r variable factor <<<"$setting"
  env "$variable" "$editor" >/dev/null 2>editor.err &
  editor_pid=$!
  # Once more if xdotool could not reach the server at all (seen on a loaded machine).
  graphics=$(timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1 ||
    { sleep 1; timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1; }) ||
    fail "$variable: no \"ZR590 Graphics\" window appeared"
  sleep 1
  timeout 10 xwd -silent -id "$graphics" | timeout 10 convert xwd:- window.png
  convert window.png -depth 8 rgb:window.rgb
  width=$((601 * factor))
  origin=$(python3 "$here/find_picture_origin.py" window.rgb "$(identify -format %w window.png)" "$width") ||
    fail "$variable: no picture outline $width pixels wide in window.png"
  read -r ox oy height <<<"$origin"
  # The client area is 601 x 515 picture pixels below the menu bar; the screen may show fewer
  # rows of it (`height`), which are compared, but never fewer because the menu grew.
  rows=$(( (height < 515 * factor ? height : 515 * factor) / factor * factor ))
  [ "$factor" = 2 ] || [ "$rows" = 515 ] || fail "$variable: only $rows rows of the picture show"
  convert replay/picture.png -scale "$((100 * factor))%" -crop "${width}x$rows+0+0" +repage \
    -depth 8 rgb:expected.rgb
  convert window.png -crop "${width}x$rows+$ox+$oy" +repage -depth 8 rgb:client.rgb
  cmp -s client.rgb expected.rgb ||
    fail "$variable: the window is not the picture enlarged $factor times (window.png)"
  [ -z "${ZR590_GUI_SHOTS:-}" ] || { mkdir -p "$ZR590_GUI_SHOTS" && cp window.png "$ZR590_GUI_SHOTS/hidpi-${variable%%=*}.png"; }
  kill "$editor_pid"
  wait "$editor_pid" 2>/dev/null || true
  editor_pid=
  echo "$variable: $rows rows of the picture, each pixel $factor x $factor"
done
echo "hidpi_test: passed"
