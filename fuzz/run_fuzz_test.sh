#!/usr/bin/env bash
# Runs one fuzz target a fixed number of times, starting from its seed corpus, and fails on a
# crash, a sanitizer report, a leak, a timeout or a failed check. New inputs go to a scratch
# corpus, never into the seed folder; an input that failed is kept in ./fuzz-artifacts.
#
#   run_fuzz_test.sh TARGET SEED_CORPUS RUNS [DICTIONARY]
set -euo pipefail
target=$1
seeds=$2
runs=$3
dict=()
if [ -n "${4:-}" ]; then dict=(-dict="$4"); fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"

# A fixed seed: the same inputs on every run of the test, so a failure repeats.
if "$target" -runs="$runs" -seed=1 -max_len=8192 -timeout=20 -rss_limit_mb=2560 \
  -print_final_stats=1 -artifact_prefix="$work/" "${dict[@]}" "$work/corpus" "$seeds" >"$work/log" 2>&1; then
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/log" || true
  exit 0
fi

cat "$work/log"
mkdir -p fuzz-artifacts
for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$work"/slow-unit-*; do
  [ -e "$artifact" ] || continue
  cp "$artifact" fuzz-artifacts/
  echo "failing input kept as $PWD/fuzz-artifacts/$(basename "$artifact"); its first bytes:"
  head -c 512 "$artifact" | od -c | head -n 20
done
exit 1
