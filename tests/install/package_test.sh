#!/usr/bin/env bash
# Builds the Debian packages as README says (a fresh shared build for /usr in WORK_DIR/build),
# checks them with lintian: no errors, and no warnings but those packaging/deb.cmake lists.
# Then installs them: as root with apt-get (removed again at the end, with anything apt-get
# pulled in for them); otherwise, or where they are installed already, unpacked with dpkg -x
# into WORK_DIR/root. Runs the installed program's --version, and builds the C example
# (examples/dots) against the installed packages with pkg-config and runs it headless.
#
#   package_test.sh SOURCE_DIR WORK_DIR WITH_GTK(0|1)
# Environment: CMAKE, CPACK, CC and CXX, the build's own tools and compilers. Exit status 77
# (skipped) without lintian or dpkg-dev, but a failure with CI=true.
set -euo pipefail
src=$1 work=$2 with_gtk=$3
here=$(cd "$(dirname "$0")" && pwd)
cmake=${CMAKE:-cmake} cpack=${CPACK:-cpack} cc=${CC:-cc} cxx=${CXX:-c++}
start=$SECONDS

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in lintian dpkg-deb dpkg-shlibdeps; do
  if ! command -v $tool >/dev/null; then
    [ "${CI:-}" = true ] && fail "no $tool (scripts/install-deps.sh installs it)"
    echo "SKIP: no $tool (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

rm -rf "$work"
mkdir -p "$work"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
build=$work/build
"$cmake" -S "$src" -B "$build" -DBUILD_SHARED_LIBS=ON -DCMAKE_INSTALL_PREFIX=/usr \
  -DZR590_BUILD_TESTS=OFF -DZR590_BUILD_BENCH=OFF -DCMAKE_C_COMPILER="$cc" \
  -DCMAKE_CXX_COMPILER="$cxx" "${launcher[@]}" >"$work/build.log" &&
  "$cmake" --build "$build" -j2 >>"$work/build.log" &&
  (cd "$build" && "$cpack" -G DEB) >>"$work/build.log" ||
  fail "building the packages (see $work/build.log)"
debs=("$build"/*.deb)
names=()
for deb in "${debs[@]}"; do names+=("$(dpkg-deb -f "$deb" Package)"); done
echo "built: ${names[*]} ($((SECONDS - start)) s)"

# (lintian's checks include the library packages' names, after the soname, and RPATHs.)
kept=$(sed -n 's/^#   \([a-z0-9-]*\): .*/\1/p' "$src/packaging/deb.cmake")
kept=${kept:-(none)}
status=0
lintian --tag-display-limit 0 "${debs[@]}" >"$work/lintian.txt" 2>&1 || status=$?
[ "$status" -le 1 ] || fail "lintian did not run: $(cat "$work/lintian.txt")"
errors=$(grep -c '^E:' "$work/lintian.txt" || true)
warnings=$(grep -c '^W:' "$work/lintian.txt" || true)
echo "lintian: $errors errors, $warnings warnings (kept: ${kept//$'\n'/ })"
unlisted=$(awk '$1 == "W:" {print $3}' "$work/lintian.txt" | sort -u | grep -vxF "$kept" || true)
[ "$errors" = 0 ] && [ -z "$unlisted" ] ||
  fail "lintian (warnings not listed in packaging/deb.cmake: ${unlisted:-none}):
$(grep '^[EW]:' "$work/lintian.txt")"

# Installed for real, or unpacked.
root=$work/root
if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null &&
  ! dpkg-query -W -f='${Status}\n' "${names[@]}" 2>/dev/null | grep -q "ok installed"; then
  # What apt-get adds beside the packages, to remove it with them.
  pulled=$(apt-get install -s "${debs[@]}" | sed -n 's/^Inst \([^ ]*\).*/\1/p' |
    grep -vxF "$(printf '%s\n' "${names[@]}")" || true)
  # shellcheck disable=SC2086  # the package names are words
  trap 'apt-get purge -y -qq -o DPkg::Lock::Timeout=300 "${names[@]}" $pulled >/dev/null ||
    echo "FAIL: apt-get purge ${names[*]} $pulled" >&2' EXIT
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 \
    "${debs[@]}" >"$work/apt.log" 2>&1 || fail "apt-get install (see $work/apt.log)"
  root=
  unset PKG_CONFIG_PATH LD_LIBRARY_PATH
  echo "installed with apt-get${pulled:+, with ${pulled//$'\n'/ }}; removed at the end"
  how=installed
else
  for deb in "${debs[@]}"; do dpkg -x "$deb" "$root"; done
  libdir=$(dirname "$(dirname "$(find "$root" -name zr590-headless.pc)")")
  export LD_LIBRARY_PATH=$libdir PKG_CONFIG_PATH=$libdir/pkgconfig
  echo "not installed (not root, or installed already): unpacked into $root with dpkg -x," \
    "run with LD_LIBRARY_PATH=$libdir"
  how=unpacked
fi

program=shape-replay
[ "$with_gtk" = 1 ] && program=shape-editor
binary=$root/usr/bin/$program
# A /usr install has the library where the loader looks: no RPATH for Debian to refuse.
readelf -d "$binary" | grep -q "NEEDED.*libzr590-" || fail "$program does not use the library"
! readelf -d "$binary" | grep -qE "RPATH|RUNPATH" || fail "$program has an RPATH"
version=$(dpkg-deb -f "${debs[0]}" Version)
out=$("$binary" --version) || fail "$binary --version: exit status $?"
[ "$out" = "$program (ZR590) ${version%-*}" ] || fail "$binary --version: $out"

dots=$work/dots
# shellcheck disable=SC2046  # the flags are words
"$cc" -std=c11 -Wall -Wextra -Werror -Wpedantic "$src/examples/dots/dots.c" \
  $(pkg-config --cflags --libs zr590-headless) -o "$dots" || fail "building dots with pkg-config"
readelf -d "$dots" | grep -q 'NEEDED.*libzr590-headless\.so' || fail "dots is not linked shared"
bash "$here/run_example.sh" "$dots" "$here/dots" 7 || fail "dots against the packages"
echo "packages built, checked, $how; $program and dots ran ($((SECONDS - start)) s)"
