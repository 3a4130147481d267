#!/usr/bin/env bash
# An unsaved drawing outlives the editor. For each way the editor can end (kill -9 a while
# after the last change; Ctrl+Q, the close box and SIGTERM at once): draw two squares, end
# the editor, start it again in the same folder. The text window shows the hint, `y` brings
# back the squares (SAVE then holds what shape-replay saves for the same clicks), `z` puts
# them away again (SAVE then holds nothing).
#
#   recovery_test.sh SHAPE_EDITOR SHAPE_REPLAY SEND_CLOSE_REQUEST      (under with_xvfb.sh)
set -euo pipefail
editor=$(realpath "$1")
replay=$(realpath "$2")
close=$(realpath "$3")
name=recovery_test
source "$(dirname "${BASH_SOURCE[0]}")/editor_run.sh"

# Client pixels below GTK's 25-pixel menu bar: the square tool, two squares, SAVE.
menu_bar=25
drawing=("25 32" "200 200" "400 300")
save="25 472"

click() {  # X Y
  timeout 5 xdotool mousemove --window "$graphics" "$1" $(($2 + menu_bar)) click 1
  sleep 0.1
}
start() {
  "$editor" >/dev/null 2>>editor.err &
  editor_pid=$!
  graphics=$(timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1) ||
    fail "no \"ZR590 Graphics\" window appeared"
  sleep 0.5
}
save_as() {  # NAME
  click $save
  local dialog
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^ZR590_gets$' | head -n1) ||
    fail "SAVE opened no dialog"
  timeout 5 xdotool windowfocus --sync "$dialog"
  timeout 10 xdotool type --delay 20 "$1"
  timeout 5 xdotool key Return
  for _ in $(seq 50); do [ -e "$1" ] && break; sleep 0.1; done
  [ -e "$1" ] || fail "SAVE wrote no $1"
  timeout 5 xdotool windowfocus --sync "$graphics"
}
key() {
  timeout 5 xdotool windowfocus --sync "$graphics"
  timeout 5 xdotool key "$1"
  sleep 0.2
}

cd "$work"
# What the two squares are, by shape-replay's account.
mkdir replay
for point in "${drawing[@]}"; do echo "click $point"; done >replay/messages.txt
printf 'click %s\nreply expected.txt\n' "$save" >>replay/messages.txt
(cd replay && "$replay" --client 601 515 messages.txt >/dev/null) || fail "shape-replay failed"
[ -s replay/expected.txt ] || fail "shape-replay saved no drawing"

for way in kill ctrl+q close-box sigterm; do
  export XDG_STATE_HOME=$work/state-$way
  start
  for point in "${drawing[@]}"; do click $point; done
  case $way in
    kill)
      sleep 2  # the copy follows an idle second
      kill -KILL "$editor_pid"
      wait "$editor_pid" 2>/dev/null || true
      editor_pid=
      ;;
    ctrl+q) key ctrl+q && expect_editor_ends "Ctrl+Q" ;;
    close-box) timeout 5 "$close" "$graphics" && expect_editor_ends "the close box" ;;
    sigterm) kill -TERM "$editor_pid" && expect_editor_ends "SIGTERM" ;;
  esac
  start
  timeout 5 xdotool search --onlyvisible --name '^ZR590 Text$' >/dev/null ||
    fail "$way: no hint in the text window after the restart"
  key y
  save_as "restored-$way.txt"
  cmp -s "restored-$way.txt" replay/expected.txt ||
    fail "$way: y brought back $(cat "restored-$way.txt") instead of $(cat replay/expected.txt)"
  key z
  save_as "undone-$way.txt"
  [ ! -s "undone-$way.txt" ] || fail "$way: z left $(cat "undone-$way.txt")"
  key ctrl+q
  expect_editor_ends "Ctrl+Q"
  echo "$way: the drawing came back with y and went with z"
done
echo "recovery_test: passed"
