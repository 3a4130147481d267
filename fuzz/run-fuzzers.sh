#!/usr/bin/env bash
# Runs the fuzz targets for as long as asked.
#
#   fuzz/run-fuzzers.sh [-t SECONDS] [-j JOBS] [-b BUILD_DIR] [TARGET...]
#
# TARGET is drawing_file, script_reader, message_file, text_cutting or frame (default: all five).
# Each runs for SECONDS (default 600), JOBS at a time (default 2), at low priority, with its
# dictionary from fuzz/dict/ if it has one. A target keeps its working corpus in
# BUILD_DIR/fuzz-corpus/TARGET, started from fuzz/corpus/TARGET, so a later run goes on where this
# one stopped; failing inputs go to BUILD_DIR/fuzz-artifacts/ and the whole output to
# BUILD_DIR/fuzz-logs/TARGET.log. Ends with one line per target: executions,
# seconds, corpus size and the result; the exit status is 1 if any target failed.
#
# BUILD_DIR (default build-fuzz) must hold the targets, built as scripts/test-all.sh does:
#   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
#     -DZR590_FUZZ=ON -DZR590_SANITIZE=ON -DZR590_BUILD_TESTS=OFF -DZR590_BUILD_BENCH=OFF
#   cmake --build build-fuzz --target fuzz_targets -j2
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

seconds=600
jobs=2
build=$root/build-fuzz
while getopts "t:j:b:h" opt; do
  case $opt in
    t) seconds=$OPTARG ;;
    j) jobs=$OPTARG ;;
    b) build=$(cd "$OPTARG" && pwd) ;;
    *) sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(drawing_file script_reader message_file text_cutting frame)

for t in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/fuzz_$t" ]; then
    echo "no fuzz target $build/fuzz/fuzz_$t (see the build commands in $0)" >&2
    exit 2
  fi
done

export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"

run_one() {
  local t=$1
  local corpus=$build/fuzz-corpus/$t
  mkdir -p "$corpus"
  local dict=()
  if [ -f "$root/fuzz/dict/$t.dict" ]; then dict=(-dict="$root/fuzz/dict/$t.dict"); fi
  nice -n 10 "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len=8192 -timeout=20 \
    -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$t-" \
    "${dict[@]}" "$corpus" "$root/fuzz/corpus/$t" >"$build/fuzz-logs/$t.log" 2>&1
}

declare -A status
running=0
for t in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  echo "fuzzing $t for $seconds s"
  (run_one "$t" && echo 0 >"$build/fuzz-logs/$t.status" || echo $? >"$build/fuzz-logs/$t.status") &
  running=$((running + 1))
done
wait

failed=0
printf '%-14s %12s %8s %8s  %s\n' target executions seconds corpus result
for t in "${targets[@]}"; do
  log=$build/fuzz-logs/$t.log
  execs=$(grep -m1 '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  secs=$(grep -m1 '^Done ' "$log" | sed -E 's/.* in ([0-9]+) second.*/\1/')
  files=$(find "$build/fuzz-corpus/$t" -type f | wc -l)
  if [ "$(cat "$build/fuzz-logs/$t.status")" = 0 ]; then
    result=ok
  else
    result="FAILED: $(grep -m1 -E 'ERROR|fuzz check failed|deadly signal' "$log" || echo 'see the log')"
    failed=1
  fi
  printf '%-14s %12s %8s %8s  %s\n' "$t" "${execs:-?}" "${secs:-?}" "$files" "$result"
done
exit "$failed"
