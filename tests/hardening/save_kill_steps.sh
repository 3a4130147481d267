#!/usr/bin/env bash
# SAVE killed (SIGKILL, injected by strace) at every write, ftruncate, fsync, rename, link,
# unlink and close of the runner, one step per run: each time the drawing's name holds the
# whole old or the whole new drawing, and at most one file is left beside it. Both ways of
# saving: replacing the file, and in place (a second hard link), where a file cut short is
# allowed only while the whole old drawing lies in the named copy beside it. Where a kill left
# such a copy, the next LOAD of the name says where it is.
#
#   save_kill_steps.sh SHAPE_REPLAY
set -euo pipefail
replay=$(realpath "$1")
if ! command -v strace >/dev/null || ! strace -qq -o /dev/null true 2>/dev/null; then
  if [ "${CI:-}" = true ]; then echo "strace cannot run here" >&2; exit 1; fi
  echo "strace cannot run here: skipped"; exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
# A drawing of some 80 KB, so that saving it takes several writes.
awk 'BEGIN {
  for (i = 0; i < 2000; i++) printf "Rect     %d     %d     %d     %d     5     1\n", i % 300, i % 250, -(i % 300), -(i % 250)
}' >new.txt
old='Circle     1     2     3     4'
printf '%s\n' 'click 25 445' 'reply ../new.txt' 'click 25 485' 'reply drawing.txt' >save.msg
printf '%s\n' 'click 25 445' 'reply drawing.txt' >load.msg

failed=0
fail() {
  echo "$*"
  failed=1
}
calls=write,ftruncate,fsync,rename,link,unlink,close
# How many of each call come before the save opens anything beside the drawing: killing there
# cannot touch it, so the walk starts after them.
mkdir work && echo "$old" >work/drawing.txt
(cd work && strace -f -qq -o ../trace.txt -e trace="openat,$calls" "$replay" ../save.msg >/dev/null)
declare -A before
for call in ${calls//,/ }; do
  before[$call]=$(awk -v call="$call" '/"(\.)?drawing\.txt/ { exit } index($2, call "(") == 1 { n++ }
    END { print n + 0 }' trace.txt)
done
runs=0
told=0
for way in replace in-place; do
  for call in ${calls//,/ }; do
    for ((n = before[$call] + 1; ; n++)); do
      rm -rf work && mkdir work && echo "$old" >work/drawing.txt
      if [ "$way" = in-place ]; then ln work/drawing.txt work/other-link.txt; fi
      status=0
      (cd work && strace -f -qq -o /dev/null -e trace="$call" -e inject="$call:signal=KILL:when=$n" \
        "$replay" ../save.msg >/dev/null 2>&1) || status=$?
      runs=$((runs + 1))
      if [ "$status" -ne 137 ]; then
        [ "$status" -eq 0 ] || fail "$way, $call $n: exit status $status"
        break
      fi
      beside=$(ls -A work | { grep -v -x -e drawing.txt -e other-link.txt || true; } | wc -l)
      [ "$beside" -le 1 ] || fail "$way, killed at $call $n: $beside files beside drawing.txt"
      copy=$(cd work && ls drawing.txt.zr590-backup-* 2>/dev/null || true)
      if ! cmp -s work/drawing.txt new.txt && [ "$(cat work/drawing.txt)" != "$old" ]; then
        # Half rewritten in place: only where the whole old drawing waits in the named copy.
        if [ "$way" = replace ] || [ -z "$copy" ] || [ "$(cat "work/$copy")" != "$old" ]; then
          fail "$way, killed at $call $n: drawing.txt is neither the old nor the new drawing"
        fi
      fi
      if [ -n "$copy" ] && [ "$told" -eq 0 ]; then
        (cd work && "$replay" ../load.msg >/dev/null 2>stderr.txt) || fail "LOAD after a kill failed"
        grep -q "kept in $copy\$" work/stderr.txt || fail "LOAD did not tell of $copy: $(cat work/stderr.txt)"
        told=1
      fi
    done
  done
done
[ "$told" -eq 1 ] || fail "no kill left a copy of the old contents beside the file"
if [ "$failed" -eq 0 ]; then echo "save killed at each of $runs steps: ok"; fi
exit "$failed"
