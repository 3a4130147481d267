#!/usr/bin/env bash
# SAVE where it cannot succeed, in a whole editor session: into a full file system over a
# drawing saved there before, into a folder that does not exist, and (as root) onto a device
# like /dev/full and into a file system so full that not even the old drawing's copy fits
# beside it. Each time the error dialog shows, the old drawing stays as it was, and no
# temporary file is left behind.
#
# The full file system is a 64 KB tmpfs when it can be mounted (root); otherwise the file-size
# limit (ulimit -f, with SIGXFSZ ignored) makes writes fail the same way.
#
#   full_disk_session.sh SHAPE_REPLAY
set -euo pipefail
replay=$(realpath "$1")
scratch=$(mktemp -d)
mounted=0
cleanup() {
  if [ "$mounted" -eq 1 ]; then umount -l "$scratch/disk" "$scratch/brim" || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
cd "$scratch"
mkdir disk brim
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs disk 2>/dev/null &&
  mount -t tmpfs -o size=64k tmpfs brim 2>/dev/null; then
  mounted=1
  limit=unlimited
else
  limit=64  # blocks of 1 KB
fi
old='Circle     1     2     3     4'
echo "$old" >disk/old.txt
brimful=0
if [ "$mounted" -eq 1 ]; then
  # Filled to the brim: the copy of the old drawing finds no room and is kept in memory.
  echo "$old" >brim/old.txt
  dd if=/dev/zero of=brim/filler bs=1k 2>/dev/null || true
  brimful=1
fi
device=0
if mknod full c 1 7 2>/dev/null; then device=1; fi

# A drawing of some 130 KB to save: twice what the disk holds.
awk 'BEGIN {
  for (i = 0; i < 3000; i++) printf "Rect     %d     %d     %d     %d     5     1\n", i % 300, i % 250, -(i % 300), -(i % 250)
}' >big.txt

{
  echo "click 25 445"
  echo "reply big.txt"
  echo "click 25 485"
  echo "reply disk/old.txt"
  echo "reply"
  echo "click 25 485"
  echo "reply nowhere/old.txt"
  echo "reply"
  if [ "$device" -eq 1 ]; then
    echo "click 25 485"
    echo "reply full"
    echo "reply"
  fi
  if [ "$brimful" -eq 1 ]; then
    echo "click 25 485"
    echo "reply brim/old.txt"
    echo "reply"
  fi
} >messages.txt
{
  echo "dialog: Enter the name of the file you would like to open:"
  echo "reply: big.txt"
  for name in disk/old.txt nowhere/old.txt $([ "$device" -eq 1 ] && echo full) \
    $([ "$brimful" -eq 1 ] && echo brim/old.txt); do
    echo "dialog: Enter the name of the file you would like to save to:"
    echo "reply: $name"
    echo "dialog: Error opening file. Press Enter to continue."
    echo "reply: "
  done
} >expected.txt

status=0
(
  ulimit -f "$limit"
  trap '' XFSZ
  exec "$replay" messages.txt
) >stdout.txt 2>stderr.txt || status=$?

failed=0
fail() {
  echo "$*"
  failed=1
}
[ "$status" -eq 0 ] || fail "exit status $status"
[ ! -s stderr.txt ] || fail "standard error: $(cat stderr.txt)"
diff -u expected.txt stdout.txt || fail "transcript differs (- expected, + got)"
[ "$(cat disk/old.txt)" = "$old" ] || fail "the old drawing on the full disk was changed"
[ "$(ls -A disk)" = "old.txt" ] || fail "files left on the full disk: $(ls -A disk)"
if [ "$brimful" -eq 1 ]; then
  [ "$(cat brim/old.txt)" = "$old" ] || fail "the old drawing on the brimful disk was changed"
  [ "$(ls -A brim | tr '\n' ' ')" = "filler old.txt " ] || fail "files left: $(ls -A brim)"
fi
[ ! -e nowhere ] || fail "the missing folder was made"
if [ "$device" -eq 1 ]; then
  [ -c full ] || fail "the device was replaced"
fi
expected_files="big.txt brim disk expected.txt $([ "$device" -eq 1 ] && echo 'full ')messages.txt"
expected_files="$expected_files stderr.txt stdout.txt"
[ "$(ls -A . | tr '\n' ' ')" = "$expected_files " ] || fail "unexpected files: $(ls -A .)"
if [ "$failed" -eq 0 ]; then
  mode=$([ "$mounted" -eq 1 ] && echo "a 64 KB tmpfs" || echo "a 64 KB file-size limit")
  echo "full disk ($mode$([ "$device" -eq 1 ] && echo ', a full device')$([ "$brimful" -eq 1 ] && echo ', a brimful disk')): ok"
fi
exit "$failed"
