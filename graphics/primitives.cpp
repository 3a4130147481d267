// The public drawing primitives: check and replace bad arguments (one message each), log the
// call when logging is on, and render one command. The figures' common path is in figures.h.
#include <zr590/zr590.h>

#include <cstdarg>
#include <cstring>
#include <memory>

#include "colours.h"
#include "figures.h"
#include "frame.h"
#include "library_state.h"
#include "renderer.h"
#include "text_format.h"
#include "wrap_int.h"

namespace zr590 {

int replace_bad_width(int width) {
  int used = wrap_neg(width);
  ZR590_printf("Width of %d not possible, using width %d\n", width, used);
  return used;
}

void log_rectangle(int colour, int x1, int y1, int x2, int y2, int width) {
  if (width == 0) {
    ZR590_printf("%s rectangle with bounding box (%d,%d) to (%d,%d), filled\n", color_name[colour],
                 x1, y1, x2, y2);
  } else {
    ZR590_printf("%s rectangle with bounding box (%d,%d) to (%d,%d) with line width %d\n",
                 color_name[colour], x1, y1, x2, y2, width);
  }
}

void log_oval(int colour, int x1, int y1, int x2, int y2, int width) {
  if (width == 0) {
    ZR590_printf("%s oval with bounding box (%d,%d) to (%d,%d), filled\n", color_name[colour], x1,
                 y1, x2, y2);
  } else {
    ZR590_printf("%s oval with bounding box (%d,%d) to (%d,%d), line width %d\n",
                 color_name[colour], x1, y1, x2, y2, width);
  }
}

void log_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3) {
  ZR590_printf("%s triangle at (%d,%d), (%d,%d), (%d,%d)\n", color_name[colour], x1, y1, x2, y2, x3,
               y3);
}

void log_line(int colour, int x1, int y1, int x2, int y2, int width) {
  ZR590_printf("%s line from (%d,%d) to (%d,%d), width %d\n", color_name[colour], x1, y1, x2, y2,
               width);
}

}  // namespace zr590

using namespace zr590;

int ZR590_circle(int colour, int x, int y, int radius) {
  colour = check_color(colour);
  if (radius < 0) {
    int used = wrap_neg(radius);
    ZR590_printf("Radius of %d not possible, using radius %d\n", radius, used);
    radius = used;
  }
  if (window_state.logging_on) {
    ZR590_printf("%s circle at (%d,%d), radius %d\n", color_name[colour], x, y, radius);
  }
  int x1 = wrap_sub(x, radius), y1 = wrap_add(y, radius);
  int x2 = wrap_add(x, radius), y2 = wrap_sub(y, radius);
  // A wrapped-around box (radius -2^31) is drawn as the ordered box, never turned over.
  order_corners(x1, y1, x2, y2);
  render_two_points(KindOval, colour, x1, y1, x2, y2, 0);
  return 1;
}

int ZR590_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width) {
  return draw_triangle(colour, x1, y1, x2, y2, x3, y3, width);
}

int ZR590_rectangle(int colour, int x1, int y1, int x2, int y2, int width) {
  return draw_rectangle(colour, x1, y1, x2, y2, width);
}

int ZR590_oval(int colour, int x1, int y1, int x2, int y2, int width) {
  return draw_oval(colour, x1, y1, x2, y2, width);
}

int ZR590_line(int colour, int x1, int y1, int x2, int y2, int width) {
  return draw_line(colour, x1, y1, x2, y2, width);
}

int ZR590_text(int colour, int x, int y, int ptsize, const char* format, ...) {
  char buffer[kFormatBufferSize];
  va_list args;
  va_start(args, format);
  int result = format_line(buffer, format, args);
  va_end(args);

  if (ptsize < 0) {
    int used = wrap_neg(ptsize);
    ZR590_printf("ptsize of %d not possible, using ptsize %d\n", ptsize, used);
    ptsize = used;
  }
  // Unsigned compare also catches -2147483648, whose negation wraps to itself.
  if (static_cast<unsigned>(ptsize) > 127u) {
    ZR590_printf("ptsize of %d not possible, using ptsize %d\n", ptsize, 127);
    ptsize = 127;
  }
  colour = check_color(colour);
  if (window_state.logging_on) {
    ZR590_printf("%s text at (%d,%d), \"%s\"\n", color_name[colour], x, y, buffer);
  }
  std::size_t length = std::strlen(buffer);
  auto copy = std::make_unique<char[]>(length + 1);
  std::memcpy(copy.get(), buffer, length + 1);
  render_command(
      {.kind = KindText, .colour = colour, .x1 = x, .y1 = y, .x2 = ptsize, .text = copy.get()});
  return result;
}
