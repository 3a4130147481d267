# Shared by the Win32 tests (sourced): which Wine runs here, a private X server, the Wine
# prefix, the running editor, and input in its client coordinates. Every X tool runs under
# `timeout`: a tool that talks to a window that has gone away can otherwise hang.
#
# The prefix shows every program on a Wine virtual desktop that fills the X screen. Wine then
# keeps the windows, their activation and the keyboard focus itself, as Windows does, so the
# keys go where Windows would send them: the tests never move the X focus. (Without a window
# manager, plain Wine windows get the keys of whichever X window is under the pointer, and a
# hidden window stays on screen about 2 s while Wine waits for a window manager.)

# Debian keeps both loaders here and puts only the 32-bit one on PATH, as `wine`.
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64

skip() {
  # In CI the suite must not go green without running the platform the program was made for.
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $* (a Win32 test may not skip when CI=true)" >&2
    exit 1
  fi
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
      skip "$tool is not installed (the Win32 tests need mingw-w64, Wine, Xvfb, xdotool, x11-apps and imagemagick: scripts/install-deps.sh installs them)"
  done
}

# Takes the Wine and the prefix that the setup chose for the programs in $1 (wine.env there),
# and says which it is.
use_wine() {
  [ -f "$1/wine.env" ] || skip "no Win32 programs in $1 (the setup was skipped)"
  source "$1/wine.env"
  export WINEPREFIX="$(dirname "$1")/wineprefix$wine_bits" WINEARCH="win$wine_bits"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  echo "Wine: the ${wine_bits}-bit shape-editor.exe under $wine_loader ($wine_why)"
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
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fd_file" 2>"$1/xvfb.log" &
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
# The start of an editor session test given PROGRAMS_DIR SHAPE_REPLAY WORK_DIR: sets programs,
# replay and work, makes WORK_DIR afresh with win32/ (the current folder, for the Windows
# editor) and replay/ (for shape-replay), and starts Wine's private X server.
begin_editor_session() {
  programs="$1" replay="$2" work="$3"
  require_tools wineserver Xvfb xdotool
  use_wine "$programs"
  rm -rf "$work"
  mkdir -p "$work/win32" "$work/replay"
  start_x "$work"
  cd "$work/win32"
}

start_editor() {
  rm -f editor.status
  # Each test starts the editor without a recovery copy an earlier test left in the prefix,
  # unless it asks to keep them (keep_recovery=1).
  if [ "${keep_recovery:-0}" != 1 ]; then rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/ZR590; fi
  (
    status=0
    timeout 300 "$wine_loader" "$1" >editor.log 2>&1 || status=$?
    echo "$status" >editor.status
  ) &
  editor_pid=$!
}

# Prints the id of the visible X window with exactly this title, waiting up to 30 s.
find_window() {
  timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1
}

# Sets desktop (the virtual desktop's X window), client_x, client_y (the client area's origin on
# that desktop, which is Windows' screen), client_w and client_h, and the menu lines in
# probe.txt, from the menu probe's report. Arguments go to the probe (`resize W H`).
run_probe() {
  desktop="$(find_window 'Default - Wine desktop')"
  [ -n "$desktop" ] || fail "Wine's virtual desktop did not appear"
  timeout 60 "$wine_loader" "$programs/menu_probe.exe" "$@" >probe.out 2>probe.err ||
    fail "the menu probe failed: $(cat probe.err)"
  tr -d '\r' <probe.out >probe.txt
  read -r _ client_x client_y client_w client_h < <(grep '^client ' probe.txt)
}

# Client-area click in the graphics window.
click() {
  timeout 10 xdotool mousemove --window "$desktop" $(($1 + client_x)) $(($2 + client_y)) click 1
  sleep 0.2
}

# Keys, as xdotool arguments ("key ctrl+l", "type text"); Wine gives them to the window that
# has the focus.
keys() {
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
