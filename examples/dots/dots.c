/* Dots: every click leaves a dot, in the next colour each time; 'c' clears the drawing; 's'
 * saves the picture as dots.png; 'q',
 * Quit (Ctrl+Q) or the close box ends the program. The first argument, if any, is the dots'
 * radius in pixels (default 5). Plain C11 on the library's own functions.
 *
 * Build against an installed ZR590 with pkg-config:
 *   cc -std=c11 dots.c $(pkg-config --cflags --libs zr590-gtk) -o dots
 * or with the CMakeLists.txt beside this file. Linked with zr590-headless instead, it runs on a
 * message file: `dots MESSAGES [RADIUS]` (see docs/reference.md). */
#include <stdlib.h>
#include <zr590/entry.h> /* the library's process entry calls this main() */

enum { WHITE = 1, FIRST_COLOUR = 2, COLOURS = 24, MAX_DOTS = 1000 };

struct dot {
  int x, y, colour;
};

static void draw(const struct dot* dots, int count, int radius) {
  ZR590_clear();
  for (int i = 0; i < count; ++i) ZR590_circle(dots[i].colour, dots[i].x, dots[i].y, radius);
}

int main(int argc, char** argv) {
  static struct dot dots[MAX_DOTS];
  int count = 0;
  int colour = FIRST_COLOUR;
  int radius = argc > 1 ? atoi(argv[1]) : 5;

  const ZR590_StartupArgs* start = ZR590_get_startup_args();
  ZR590_open(start->instance, start->prev_instance, start->command_line, start->show_command);
  ZR590_logging(0); /* Ctrl+L shows every drawing call in the text window */
  ZR590_show_text_window(0);
  draw(dots, count, radius);
  for (;;) {
    int x = 0, y = 0;
    char key = 0;
    int event = ZR590_await_event(&x, &y, &key);
    if (event == ZR590_EVENT_QUIT || (event == ZR590_EVENT_KEY && key == 'q')) break;
    if (event == ZR590_EVENT_MOUSE && count < MAX_DOTS) {
      struct dot dot = {x, y, colour};
      dots[count++] = dot;
      colour = colour + 1 < COLOURS ? colour + 1 : FIRST_COLOUR;
    } else if (event == ZR590_EVENT_KEY && key == 'c') {
      count = 0;
    } else if (event == ZR590_EVENT_KEY && key == 's') {
      ZR590_save_picture("dots.png"); /* says in the text window if it cannot */
      continue;
    } else {
      continue;
    }
    draw(dots, count, radius); /* reaches the window at the next wait */
  }
  ZR590_close();
  return 0;
}
