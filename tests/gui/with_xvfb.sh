#!/usr/bin/env bash
# Runs a command on a virtual X server of its own: Xvfb picks a free display number (other
# programs on this machine may hold some), the command gets it in DISPLAY, and the server
# ends with the command. Exit status: the command's.
#
#   with_xvfb.sh COMMAND [ARGS...]
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

state=$(mktemp -d)
xvfb_pid=
# shellcheck disable=SC2317  # run by the trap
stop_server() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$state"
}
trap stop_server EXIT

# Xvfb writes the display number it took to the descriptor given by -displayfd.
exec 3>"$state/display"
# XVFB_SCREEN: another screen size (a test that needs a larger one).
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >"$state/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$state/display" ] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "with_xvfb: Xvfb did not start:" >&2
    cat "$state/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
done
if [ ! -s "$state/display" ]; then
  echo "with_xvfb: Xvfb gave no display number within 10 s" >&2
  exit 1
fi

DISPLAY=":$(head -n1 "$state/display")"
export DISPLAY
# No accessibility bus runs here; keep GTK from warning about it.
export NO_AT_BRIDGE=1
# The editor's recovery copies go to a state folder of this run's own, never the user's.
export XDG_STATE_HOME="$state/xdg-state"
status=0
"$@" || status=$?
exit "$status"
