#!/usr/bin/env bash
# Without a display the editor says so in one line on standard error, opens nothing and ends
# with a non-zero status: once with no DISPLAY at all, once with one that does not exist.
#
#   no_display_test.sh SHAPE_EDITOR
set -euo pipefail
editor=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {  # DESCRIPTION, then the environment to run in
  local what=$1 status=0
  shift
  (cd "$work" && timeout 20 env -u WAYLAND_DISPLAY "$@" "$editor" >out.txt 2>err.txt) || status=$?
  if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
    echo "no_display_test: FAIL ($what): exit status $status" >&2
    exit 1
  fi
  if [ "$(wc -l <"$work/err.txt")" -ne 1 ] || ! grep -qi display "$work/err.txt" ||
    [ -s "$work/out.txt" ]; then
    echo "no_display_test: FAIL ($what): expected one line about the display, got:" >&2
    cat "$work/err.txt" "$work/out.txt" >&2
    exit 1
  fi
  echo "$what: status $status: $(cat "$work/err.txt")"
  if [ -n "$(find "$work" -mindepth 1 ! -name out.txt ! -name err.txt)" ]; then
    echo "no_display_test: FAIL ($what): it left files behind" >&2
    exit 1
  fi
}

check "DISPLAY unset" -u DISPLAY
# A display number that no server on this machine holds.
n=999
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n - 1)); done
check "no server" DISPLAY=":$n"
