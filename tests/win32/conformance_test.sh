#!/usr/bin/env bash
# The platform contract's conformance suite (tests/conformance) on the Win32 backend, under
# the chosen Wine on a private X server, with the prefix's virtual desktop.
#   conformance_test.sh PROGRAMS_DIR WORK_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_session.sh"

require_tools wineserver Xvfb
use_wine "$1"
mkdir -p "$2"
start_x "$2"
timeout 120 "$wine_loader" "$1/conformance_win32.exe" | tr -d '\r'
