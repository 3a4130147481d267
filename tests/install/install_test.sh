#!/usr/bin/env bash
# Installs the library twice into fresh prefixes: this build (static libraries, the default),
# and the same sources configured with -DBUILD_SHARED_LIBS=ON (built in WORK_DIR/shared-build,
# kept for the next run). Against each installed copy only, it builds the C++ example
# (examples/bouncing), the C example (examples/dots) and the Xlib-beside-ZR590 program with
# pkg-config, and the two examples with find_package(zr590); runs them headless and checks
# what they drew. It also checks the installed launcher entry, icon and manual pages.
#
#   install_test.sh SOURCE_DIR BUILD_DIR WORK_DIR WITH_GTK(0|1)
# Environment: CMAKE, CC and CXX, the build's own cmake and compilers.
set -euo pipefail
src=$1 build=$2 work=$3 with_gtk=$4
here=$(cd "$(dirname "$0")" && pwd)
cmake=${CMAKE:-cmake} cc=${CC:-cc} cxx=${CXX:-c++}
warnings=(-Wall -Wextra -Werror)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

mkdir -p "$work"
rm -rf "$work/static" "$work/shared"
"$cmake" --install "$build" --prefix "$work/static/prefix" >"$work/install.log" ||
  fail "cmake --install (see $work/install.log)"
"$cmake" -S "$src" -B "$work/shared-build" -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=None \
  -DZR590_BUILD_TESTS=OFF -DZR590_BUILD_BENCH=OFF -DCMAKE_C_COMPILER="$cc" \
  -DCMAKE_CXX_COMPILER="$cxx" >"$work/shared.log" &&
  "$cmake" --build "$work/shared-build" -j2 >>"$work/shared.log" &&
  "$cmake" --install "$work/shared-build" --prefix "$work/shared/prefix" >>"$work/shared.log" ||
  fail "building and installing the shared libraries (see $work/shared.log)"

# What people get besides the library: a valid launcher entry and manual pages without
# warnings (the same files in both installs).
share=$work/static/prefix/share
backends=(headless) programs=(shape-replay)
if [ "$with_gtk" = 1 ]; then
  backends+=(gtk) programs+=(shape-editor)
  for file in icons/hicolor/{scalable/apps/shape-editor.svg,48x48/apps/shape-editor.png}; do
    [ -f "$share/$file" ] || fail "not installed: share/$file"
  done
  out=$(desktop-file-validate "$share/applications/shape-editor.desktop" 2>&1) && [ -z "$out" ] ||
    fail "desktop-file-validate: $out"
fi
[ -f "$share/doc/zr590/LICENSE" ] || fail "not installed: share/doc/zr590/LICENSE"
for program in "${programs[@]}"; do
  out=$(MANWIDTH=80 man --warnings -l "$share/man/man1/$program.1" 2>&1 >/dev/null) &&
    [ -z "$out" ] || fail "man $program: $out"
done

# build_and_run LINKAGE: everything built against, and run from, WORK_DIR/LINKAGE/prefix.
build_and_run() {
  local linkage=$1 dir=$work/$1
  local prefix=$dir/prefix libdir
  libdir=$(cd "$(dirname "$(find "$prefix" -name zr590-headless.pc)")/.." && pwd)
  if [ "$linkage" = shared ]; then
    for backend in "${backends[@]}"; do
      objdump -p "$libdir/libzr590-$backend.so.2.2" | grep -q "SONAME *libzr590-$backend.so.2$" ||
        fail "shared: no libzr590-$backend.so.2.2 with the soname libzr590-$backend.so.2"
    done
    export LD_LIBRARY_PATH=$libdir
  fi
  export PKG_CONFIG_PATH=$libdir/pkgconfig

  # With pkg-config: the source, then the flags, as a user would write it.
  build_with() {  # PACKAGE COMPILER SOURCE OUTPUT [FLAGS...]
    local package=$1 compiler=$2 source=$3 output=$4 flags
    shift 4
    flags=$(pkg-config --cflags --libs "$package") || fail "$linkage: pkg-config $package"
    # shellcheck disable=SC2086  # the flags are words
    "$compiler" "$@" "${warnings[@]}" "$source" $flags -o "$dir/$output" ||
      fail "$linkage: building $output with pkg-config $package"
  }
  build_with zr590-headless "$cxx" "$src/examples/bouncing/bouncing.cpp" bouncing -std=c++20
  build_with zr590-headless "$cc" "$src/examples/dots/dots.c" dots -std=c11 -Wpedantic
  if [ "$with_gtk" = 1 ]; then
    build_with zr590-gtk "$cc" "$src/examples/dots/dots.c" dots-gtk -std=c11
    build_with zr590-headless "$cxx" "$here/xlib_beside_zr590.cpp" xlib -std=c++17
  fi

  # With find_package, from the examples' own CMakeLists.txt files.
  "$cmake" -S "$here/examples" -B "$dir/examples" -DCMAKE_PREFIX_PATH="$prefix" \
    -DEXAMPLES_DIR="$src/examples" -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_C_FLAGS="${warnings[*]}" -DCMAKE_CXX_FLAGS="${warnings[*]}" >"$dir/examples.log" &&
    "$cmake" --build "$dir/examples" >>"$dir/examples.log" ||
    fail "$linkage: building the examples with find_package (see $dir/examples.log)"
  if [ "$with_gtk" = 1 ]; then
    [ -x "$dir/examples/bouncing/bouncing" ] && [ -x "$dir/examples/dots/dots" ] ||
      fail "$linkage: find_package built no GTK program"
  fi
  if [ "$linkage" = shared ]; then
    readelf -d "$dir/dots" | grep -q 'NEEDED.*libzr590-headless\.so\.2' ||
      fail "shared: dots does not use the shared library"
  fi

  # The headless runs. The logged circles are the bouncing ball.
  for program in "$dir/bouncing" "$dir/examples/bouncing/bouncing-headless"; do
    (cd "$dir" && "$program" "$here/bouncing_messages.txt") >"$dir/transcript.txt" ||
      fail "$linkage: ${program#"$dir"/} exited with status $?"
    sed -n 's/^text: \(.* circle at .*\)$/\1/p' "$dir/transcript.txt" >"$dir/positions.txt"
    diff -u "$here/expected_positions.txt" "$dir/positions.txt" ||
      fail "$linkage: ${program#"$dir"/}: ball positions"
  done
  for program in "$dir/dots" "$dir/examples/dots/dots-headless"; do
    EXPECT_PICTURE=dots.png bash "$here/run_example.sh" "$program" "$here/dots" 7 || fail "$linkage: ${program#"$dir"/}"
  done
  if [ "$with_gtk" = 1 ]; then
    bash "$here/run_example.sh" "$dir/xlib" "$here/xlib" from-xlib || fail "$linkage: xlib"
  fi
  # The installed program finds the installed library by itself, in this prefix too.
  (cd "$dir" && env -u LD_LIBRARY_PATH "$prefix/bin/shape-replay" /dev/null >/dev/null) ||
    fail "$linkage: installed shape-replay"
  if [ "$linkage" = shared ]; then
    readelf -d "$prefix/bin/shape-replay" | grep -q 'NEEDED.*libzr590-headless\.so\.2' ||
      fail "shared: shape-replay does not use the shared library"
  fi
}

build_and_run static
build_and_run shared
echo "installed static and shared; examples built with pkg-config and find_package; all ran"
