# Shared by the Win32 tests (sourced): a private X server, the Wine prefix, the running
# editor, and input in its client coordinates. Every X tool runs under `timeout`: a tool that
# talks to a window that has gone away can otherwise hang.

skip() {
  echo "SKIP: $*"
  exit 77
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 ||
      skip "$tool is not installed (the Win32 tests need mingw-w64, 32-bit Wine, Xvfb, xdotool, x11-apps and imagemagick)"
  done
}

use_wine_prefix() {
  export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

xvfb_pid=""
editor_pid=""

stop_session() {
  if [ -n "$editor_pid" ] && kill -0 "$editor_pid" 2>/dev/null; then kill "$editor_pid" 2>/dev/null || true; fi
  [ -n "${WINEPREFIX:-}" ] && timeout 20 wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}

# Starts Xvfb on a free display and exports DISPLAY.
start_x() {
  local fd_file="$1/display"
  rm -f "$fd_file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" 2>"$1/xvfb.log" &
  xvfb_pid=$!
  trap stop_session EXIT
  local i
  for i in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  [ -s "$fd_file" ] || fail "Xvfb did not start (see $1/xvfb.log)"
  export DISPLAY=":$(head -n1 "$fd_file")"
}

# Runs the editor in the current directory; its exit status goes to ./editor.status.
start_editor() {
  rm -f editor.status
  (
    status=0
    timeout 300 wine "$1" >editor.log 2>&1 || status=$?
    echo "$status" >editor.status
  ) &
  editor_pid=$!
}

# Prints the id of the visible X window with exactly this title, waiting up to 30 s.
find_window() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1
}

# Sets client_x, client_y (the client area's origin inside the graphics window's X window),
# client_w and client_h, and the menu lines in probe.out, from the menu probe's report.
run_probe() {
  timeout 60 wine "$programs/menu_probe.exe" >probe.out 2>probe.err ||
    fail "the menu probe failed: $(cat probe.err)"
  tr -d '\r' <probe.out >probe.txt
  local left top
  read -r _ left top client_w client_h < <(grep '^client ' probe.txt)
  eval "$(timeout 10 xdotool getwindowgeometry --shell "$graphics")"
  client_x=$((left - X))
  client_y=$((top - Y))
}

# Client-area click in the graphics window.
click() {
  timeout 10 xdotool mousemove --window "$graphics" $(($1 + client_x)) $(($2 + client_y)) click 1
  sleep 0.2
}

# Keys typed into a window (there is no window manager: the pointer goes in, focus is set).
keys_to() {
  local window="$1"
  shift
  timeout 10 xdotool mousemove --window "$window" 5 5
  timeout 10 xdotool windowfocus --sync "$window"
  timeout 10 xdotool "$@"
  sleep 0.3
}

# Waits up to 30 s for the editor to end; prints its exit status.
wait_editor_exit() {
  local i
  for i in $(seq 300); do
    [ -s editor.status ] && break
    sleep 0.1
  done
  [ -s editor.status ] || fail "the editor did not end"
  cat editor.status
}
