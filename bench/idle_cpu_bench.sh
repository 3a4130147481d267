#!/usr/bin/env bash
# Idle CPU of the GTK editor: runs shape-editor on a virtual X server, LOADs a drawing of
# SHAPES mixed shapes (100,000 by default; 0 leaves the drawing empty), then lets it run for a
# while (10 s by default) with no input at all, the animation timer ticking as the editor sets
# it (a full redraw every tick), and reports the CPU seconds the process used in that time.
# Target: under 0.3 s in 10 s, which is under 3% of a core. Reports only; never fails on the
# number.
#
#   idle_cpu_bench.sh SHAPE_EDITOR [SECONDS] [SHAPES]
set -euo pipefail

if [ -z "${DISPLAY:-}" ] || [ -z "${IDLE_CPU_BENCH_INNER:-}" ]; then
  # A display of its own, so that nothing else on the machine draws into this one.
  export IDLE_CPU_BENCH_INNER=1
  exec "$(dirname "$0")/../tests/gui/with_xvfb.sh" "$0" "$@"
fi

editor=$(realpath "$1")
seconds=${2:-10}
shapes=${3:-100000}
ticks_per_second=$(getconf CLK_TCK)
work=$(mktemp -d)
editor_pid=
finish() {
  if [ -n "$editor_pid" ]; then kill "$editor_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT

cpu_ticks() {  # utime + stime of a process, in clock ticks
  # Fields after the command name, which is in parentheses and may hold spaces.
  local -a fields
  read -r -a fields < <(sed 's/^.*) //' "/proc/$1/stat")
  echo $((fields[11] + fields[12]))
}

cd "$work"
# The drawing: records of the five shape kinds at random places, colours and fills.
awk -v n="$shapes" 'BEGIN {
  srand(590);
  split("Square Circle Triangle Rect Oval", word, " ");
  for (i = 0; i < n; i++) {
    k = int(rand() * 5) + 1; x = int(rand() * 540) - 280; y = int(rand() * 440) - 230;
    line = word[k] "     " x "     " y;
    if (k > 3) line = line "     " x + 2 + int(rand() * 39) "     " y + 2 + int(rand() * 39);
    print line "     " int(rand() * 23) "     " int(rand() * 2);
  }
}' >drawing.txt
"$editor" >/dev/null 2>editor.err &
editor_pid=$!
graphics=$(timeout 15 xdotool search --sync --onlyvisible --name '^ZR590 Graphics$' | head -n1)
sleep 1  # start-up done: the first frames are drawn
if [ "$shapes" -gt 0 ]; then
  # LOAD, the eleventh button of the tool column: library point (-275, -175), below the
  # 25-pixel menu bar of a client area whose centre is (300, 257).
  timeout 5 xdotool mousemove --window "$graphics" 25 $((257 + 175 + 25)) click 1
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^ZR590_gets$' | head -n1)
  timeout 5 xdotool windowfocus --sync "$dialog"
  timeout 10 xdotool type --delay 20 "$work/drawing.txt"
  timeout 5 xdotool key Return
  sleep 3  # the drawing read and drawn once
fi
start=$(cpu_ticks "$editor_pid")
started=$(date +%s.%N)
sleep "$seconds"
end=$(cpu_ticks "$editor_pid")
ended=$(date +%s.%N)

timeout 5 xdotool mousemove --window "$graphics" 300 300
timeout 5 xdotool key ctrl+q
for _ in $(seq 50); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
status=ended
if kill -0 "$editor_pid" 2>/dev/null; then status="still running after Ctrl+Q"; fi
wait "$editor_pid" 2>/dev/null || true
editor_pid=

awk -v t="$((end - start))" -v hz="$ticks_per_second" -v a="$started" -v b="$ended" \
  -v status="$status" -v shapes="$shapes" 'BEGIN {
    cpu = t / hz; wall = b - a;
    printf "idle_cpu_bench: %d shapes, %.1f s idle: %.2f CPU seconds (%.1f%% of a core; target < 0.3 s)\n",
           shapes, wall, cpu, 100 * cpu / wall;
    printf "idle_cpu_bench: editor %s\n", status;
  }'
