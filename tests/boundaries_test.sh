#!/usr/bin/env bash
# The library's boundaries, as the sources show them:
# - a backend (graphics/platform/NAME/) includes only the platform headers and the public ones;
# - the editor includes only its own headers and the public ones;
# - message words are unpacked only in the Win32 backend;
# - the window size, Ctrl's key code, the dialog limits and the timer are each named once, in the
#   library, the editor, the tools and the web page alike.
#
#   boundaries_test.sh SOURCE_ROOT
set -euo pipefail
cd "$1"

failed=0
violation() {
  echo "FAIL: $*"
  failed=1
}

# FILE:LINE: text of every code line (comments and shift amounts dropped) under PATHS that
# matches the extended regular expression RE.
code_matching() {
  local re=$1
  shift
  find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z | xargs -0 awk -v re="$re" '
    { line = $0; sub(/\/\/.*/, "", line); gsub(/(<<|>>) *[0-9]+/, "", line)
      if (line ~ re) print FILENAME ":" FNR ": " $0 }'
}

# Backends: quoted includes from platform/ only.
for backend in graphics/platform/*/; do
  while IFS= read -r hit; do
    violation "a backend includes a core header: $hit"
  done < <(code_matching '^#include "' "$backend" | grep -v '#include "platform/' || true)
done

# The editor: quoted includes of its own files only.
while IFS= read -r hit; do
  header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${hit#*: }")
  [ -f "editor/$header" ] || violation "the editor includes a library header: $hit"
done < <(code_matching '^#include "' editor)

# Message words: unpacked in the Win32 backend only, never where messages are handled.
while IFS= read -r hit; do
  violation "a message word unpacked outside the Win32 backend: $hit"
done < <(code_matching '0xFFFF|>> *16' graphics/*.cpp graphics/*.h graphics/platform/headless \
           graphics/platform/gtk $(ls -d graphics/platform/web 2>/dev/null))

# named_once RE FILE...: code lines matching RE appear in these files only.
named_once() {
  local re=$1
  shift
  local hit allowed ok
  while IFS= read -r hit; do
    ok=0
    for allowed in "$@"; do [ "${hit%%:*}" = "$allowed" ] && ok=1; done
    [ "$ok" = 1 ] || violation "a constant written again: $hit"
  done < <(code_matching "$re" "${scan[@]}")
}
scan=(graphics editor tools)
number() { echo "(^|[^0-9.x])($1)([^0-9]|$)"; }
named_once "$(number '601|540')" graphics/platform/platform.h
# The page takes the size from the library's header when it is built.
while IFS= read -r hit; do
  violation "a constant written again: $hit"
done < <(grep -rnE "$(number '601|540')" graphics/platform/web/page || true)
# Key codes reach the library and the tools only; the editor sees keys as characters.
scan=(graphics tools)
named_once "$(number '17')" graphics/platform/platform.h
scan=(graphics editor tools)
# The PNG encoder's 256 is deflate's: the byte values and the end of a block; the shape list's,
# the size of the batches it allocates.
named_once "$(number '79|256')" graphics/platform/platform.h graphics/include/zr590/zr590.h \
  graphics/platform/png_encoder.cpp editor/shape_list.cpp
named_once 'kTimerId *=|kTimerPeriodMs *=|_timer\( *[0-9]' graphics/window_state.h

[ "$failed" -eq 0 ] && echo "boundaries: ok"
exit "$failed"
