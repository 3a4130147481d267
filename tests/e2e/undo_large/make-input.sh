# A million records of every kind in the writer's own layout, and the files the session must save.
awk 'BEGIN {
  for (i = 0; i < 1000000; i++) {
    x = i % 601 - 300; y = int(i / 601) % 501 - 250; c = i % 23; w = i % 2; k = i % 5
    if (k == 0) printf "Square     %d     %d     %d     %d\n", x, y, c, w
    else if (k == 1) printf "Circle     %d     %d     %d     %d\n", x, y, c, w
    else if (k == 2) printf "Triangle     %d     %d     %d     %d\n", x, y, c, w
    else printf "%s     %d     %d     %d     %d     %d     %d\n", (k == 3 ? "Rect" : "Oval"), x, y, x + i % 40, y - i % 30, c, w
  }
}' >input/large.txt
square='Square     0     0     0     0'
echo "$square" >expected/files/unloaded.txt
{ echo "$square"; cat input/large.txt; } >expected/files/loaded.txt
for f in unclear reloaded; do cp expected/files/loaded.txt "expected/files/$f.txt"; done
: >expected/files/cleared.txt
: >expected/files/recleared.txt
