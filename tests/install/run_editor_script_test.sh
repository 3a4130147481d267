#!/usr/bin/env bash
# scripts/run-editor.sh starts the editor in the drawings folder (~/ZR590, made if missing, or
# $ZR590_DRAWINGS), never in the source tree, with the caller's drawings found where named.
# It runs on a copy of the scripts, with stand-ins for cmake (whose build makes an "editor"
# that prints its folder and arguments) and for dpkg-query (every package installed).
#
#   run_editor_script_test.sh SOURCE_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/source" "$work/bin" "$work/caller"
cp -R "$1/scripts" "$work/source/"
cat >"$work/bin/cmake" <<'STUB'
#!/usr/bin/env bash
[ "$1" = --build ] || exit 0
mkdir -p "$2/editor"
printf '#!/usr/bin/env bash\necho "$PWD" "$@"\n' >"$2/editor/shape-editor"
chmod +x "$2/editor/shape-editor"
STUB
printf '#!/usr/bin/env bash\necho "install ok installed"\n' >"$work/bin/dpkg-query"
chmod +x "$work/bin/cmake" "$work/bin/dpkg-query"
for drawings in "" "$work/elsewhere"; do
  got=$(cd "$work/caller" && HOME="$work/home" ZR590_DRAWINGS="$drawings" PATH="$work/bin:$PATH" \
    bash ../source/scripts/run-editor.sh a.txt 2>/dev/null)
  want=${drawings:-$work/home/ZR590}
  [ "$got" = "$want $work/caller/a.txt" ] || { echo "FAIL: the editor ran as: $got"; exit 1; }
done
