#!/usr/bin/env bash
# The Win32 backend's message conversion, run as a Windows program under the chosen Wine.
#   messages_test.sh PROGRAMS_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_session.sh"

require_tools wineserver
use_wine "$1"
# A console program: no X display, so that Wine puts no desktop on the user's screen.
trap 'timeout 20 wineserver -k 2>/dev/null || true' EXIT
DISPLAY= timeout 60 "$wine_loader" "$1/win32_messages_test.exe" | tr -d '\r'
