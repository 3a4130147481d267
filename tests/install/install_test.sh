#!/usr/bin/env bash
# Installs the library into a fresh prefix and builds examples/bouncing against the installed
# copy only, once with pkg-config and once with find_package(zr590). Both builds run headless
# on bouncing_messages.txt, and the ball's positions, read from the logged drawing calls, must
# be the expected ones.
#
#   install_test.sh BUILD_DIR EXAMPLE_DIR WORK_DIR WITH_GTK(0|1)
# Environment: CMAKE and CXX, the build's own cmake and compiler.
set -euo pipefail
build=$1 example=$2 work=$3 with_gtk=$4
here=$(cd "$(dirname "$0")" && pwd)
cmake=${CMAKE:-cmake}
cxx=${CXX:-c++}
warnings=(-Wall -Wextra -Werror)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install"

for file in include/zr590/zr590.h include/zr590/display.h include/zr590/entry.h \
  bin/shape-replay; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
if [ "$with_gtk" = 1 ]; then
  [ -x "$prefix/bin/shape-editor" ] || fail "not installed: bin/shape-editor"
fi
pc_file=$(find "$prefix" -name zr590-headless.pc)
[ -n "$pc_file" ] || fail "not installed: zr590-headless.pc"
export PKG_CONFIG_PATH=${pc_file%/*}

# With pkg-config: the source, then the flags, as a user would write it.
build_with_pkg_config() {  # PACKAGE OUTPUT
  local flags
  flags=$(pkg-config --cflags --libs "$1") || fail "pkg-config $1"
  # shellcheck disable=SC2086  # the flags are words
  "$cxx" -std=c++20 "${warnings[@]}" "$example/bouncing.cpp" $flags -o "$2" ||
    fail "building with pkg-config $1"
}
build_with_pkg_config zr590-headless "$work/bouncing-pkg-config"
if [ "$with_gtk" = 1 ]; then
  build_with_pkg_config zr590-gtk "$work/bouncing-gtk-pkg-config"
fi

# With find_package, from the example's own CMakeLists.txt.
"$cmake" -S "$example" -B "$work/example-build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="${warnings[*]}" >"$work/example-configure.log" ||
  fail "configuring the example with find_package (see $work/example-configure.log)"
"$cmake" --build "$work/example-build" >"$work/example-build.log" ||
  fail "building the example with find_package (see $work/example-build.log)"
if [ "$with_gtk" = 1 ]; then
  [ -x "$work/example-build/bouncing" ] || fail "find_package built no GTK program"
fi

# The headless runs: the logged circles are the ball.
for program in "$work/bouncing-pkg-config" "$work/example-build/bouncing-headless"; do
  name=${program#"$work"/}
  (cd "$work" && "$program" "$here/bouncing_messages.txt") >"$work/transcript.txt" ||
    fail "$name exited with status $?"
  sed -n 's/^text: \(.* circle at .*\)$/\1/p' "$work/transcript.txt" >"$work/positions.txt"
  diff -u "$here/expected_positions.txt" "$work/positions.txt" || fail "$name: ball positions"
done

# The installed runner runs on its own: the editor's start-up with an empty message file.
: >"$work/empty.txt"
(cd "$work" && "$prefix/bin/shape-replay" empty.txt >/dev/null) || fail "installed shape-replay"
echo "installed, built twice, ball positions as expected"
