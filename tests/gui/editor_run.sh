# Sourced by the GUI scripts that run the editor: a work folder (kept when the script fails),
# the editor killed if the script ends first, fail() with the editor's standard error, and the
# wait for the editor to end. Set `name` before sourcing; a script may define on_finish.
work=$(mktemp -d)
editor_pid=
finish() {
  local status=$?
  if [ -n "$editor_pid" ] && kill -0 "$editor_pid" 2>/dev/null; then
    kill "$editor_pid" 2>/dev/null || true
    wait "$editor_pid" 2>/dev/null || true
  fi
  if declare -F on_finish >/dev/null; then on_finish; fi
  if [ "$status" -eq 0 ]; then
    rm -rf "$work"
  else
    echo "$name: files kept in $work" >&2
  fi
}
trap finish EXIT

fail() {
  echo "$name: FAIL: $*" >&2
  if declare -F on_failure >/dev/null; then on_failure; fi
  [ -s "$work/editor.err" ] && { echo "--- editor's standard error:" >&2; cat "$work/editor.err" >&2; }
  exit 1
}

# Waits up to 10 s for the editor to end after `what` happened; it must end with status 0.
expect_editor_ends() {
  local what=$1 status=
  for _ in $(seq 100); do
    if ! kill -0 "$editor_pid" 2>/dev/null; then
      wait "$editor_pid" && status=0 || status=$?
      break
    fi
    sleep 0.1
  done
  [ -n "$status" ] || fail "the editor did not end within 10 s of $what"
  editor_pid=
  [ "$status" -eq 0 ] || fail "the editor ended with status $status"
}
