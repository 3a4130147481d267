#!/usr/bin/env bash
# Runs one editor session through the headless runner and checks what it leaves behind.
#
#   run_session.sh SHAPE_REPLAY SESSION_DIR
#
# SESSION_DIR holds:
#   messages.txt          the session, one platform message per line
#   arguments.txt         the program's own arguments, after the message file (optional)
#   input/                files the working folder starts with (optional)
#   expected/transcript.txt  the runner's whole standard output
#   expected/files/       files the working folder must hold afterwards, byte for byte; every
#                         other file there must be an unchanged input (so no stray temporary
#                         file may be left)
# The runner must exit with status 0 and write nothing to standard error.
set -euo pipefail

replay=$(realpath "$1")
session=$(cd "$2" && pwd)
name=$(basename "$session")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
work=$scratch/work
mkdir "$work"
if [ -d "$session/input" ]; then cp -R "$session/input/." "$work/"; fi

arguments=()
if [ -f "$session/arguments.txt" ]; then read -r -a arguments <"$session/arguments.txt"; fi
status=0
# A replay keeps no recovery copy: the state folder stays empty.
mkdir "$scratch/state"
(cd "$work" && XDG_STATE_HOME="$scratch/state" "$replay" "$session/messages.txt" "${arguments[@]}") >"$scratch/stdout" \
  2>"$scratch/stderr" || status=$?

failed=0
fail() {
  echo "$name: $*"
  failed=1
}

[ "$status" -eq 0 ] || fail "exit status $status"
[ -z "$(ls -A "$scratch/state")" ] || fail "the replay kept a recovery copy: $(ls -AR "$scratch/state")"
if [ -s "$scratch/stderr" ]; then
  fail "standard error was not empty:"
  cat "$scratch/stderr"
fi
if ! diff -u "$session/expected/transcript.txt" "$scratch/stdout" >"$scratch/diff"; then
  fail "transcript differs (- expected, + got):"
  cat "$scratch/diff"
fi

expected_files=$session/expected/files
if [ -d "$expected_files" ]; then
  while IFS= read -r -d '' f; do
    rel=${f#"$expected_files"/}
    if [ ! -f "$work/$rel" ]; then
      fail "missing file $rel"
    elif ! cmp -s "$f" "$work/$rel"; then
      fail "file $rel differs (- expected, + got):"
      diff -u "$f" "$work/$rel" || true
    fi
  done < <(find "$expected_files" -type f -print0)
fi

while IFS= read -r -d '' f; do
  rel=${f#"$work"/}
  [ -f "$expected_files/$rel" ] && continue
  if [ -f "$session/input/$rel" ]; then
    cmp -s "$session/input/$rel" "$f" || fail "input file $rel was changed"
  else
    fail "unexpected file $rel"
  fi
done < <(find "$work" -type f -print0)

if [ "$failed" -eq 0 ]; then echo "$name: ok"; fi
exit "$failed"
