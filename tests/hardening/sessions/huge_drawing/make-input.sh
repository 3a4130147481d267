# A million records of every kind in the writer's own layout (valid colours: an invalid one
# writes a line to the text window each time it is drawn, millions of lines here).
awk 'BEGIN {
  for (i = 0; i < 1000000; i++) {
    x = i % 601 - 300; y = int(i / 601) % 501 - 250; c = i % 24; w = i % 2; k = i % 5
    if (k == 0) printf "Square     %d     %d     %d     %d\n", x, y, c, w
    else if (k == 1) printf "Circle     %d     %d     %d     %d\n", x, y, c, w
    else if (k == 2) printf "Triangle     %d     %d     %d     %d\n", x, y, c, w
    else printf "%s     %d     %d     %d     %d     %d     %d\n", (k == 3 ? "Rect" : "Oval"), x, y, x + i % 40, y - i % 30, c, w
  }
}' >input/huge.txt
for f in huge.txt copy.txt copy2.txt; do cp input/huge.txt "expected/files/$f"; done
