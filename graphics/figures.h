// The figure primitives (rectangle, oval, triangle, line) as inline functions: the public
// ZR590_* functions and the display object's drawing operations both run them without a call
// between, as every shape of every redraw passes here. A bad argument's message and the log
// line are out of line (primitives.cpp): the common case checks, builds the command and
// records it.
#pragma once

#include <zr590/display.h>

#include "colours.h"
#include "frame.h"
#include "library_state.h"
#include "renderer.h"

namespace zr590 {

// Reports a negative width; returns the width used instead.
int replace_bad_width(int width);
// The log lines, written when logging is on.
void log_rectangle(int colour, int x1, int y1, int x2, int y2, int width);
void log_oval(int colour, int x1, int y1, int x2, int y2, int width);
void log_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3);
void log_line(int colour, int x1, int y1, int x2, int y2, int width);

inline int check_width(int width) {
  if (width >= 0) [[likely]]
    return width;
  return replace_bad_width(width);
}

// Swaps a and b when `swap`, without a branch: whether the corners come in order depends on
// the figure, and a redraw mixes figures at random.
inline void swap_if(bool swap, int& a, int& b) {
  const int differ = (a ^ b) & -static_cast<int>(swap);
  a ^= differ;
  b ^= differ;
}

// Upper left corner first: smaller x, larger y.
inline void order_corners(int& x1, int& y1, int& x2, int& y2) {
  swap_if(x1 > x2, x1, x2);
  swap_if(y1 < y2, y1, y2);
}

// Renders a figure given by two points (a rectangle, oval or line).
inline void render_two_points(int kind, int colour, int x1, int y1, int x2, int y2, int width) {
  render_command(
      {.kind = kind, .colour = colour, .width = width, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2});
}

inline int draw_rectangle(int colour, int x1, int y1, int x2, int y2, int width) {
  order_corners(x1, y1, x2, y2);
  colour = check_color(colour);
  width = check_width(width);
  if (window_state.logging_on) log_rectangle(colour, x1, y1, x2, y2, width);
  render_two_points(KindRectangle, colour, x1, y1, x2, y2, width);
  return 1;
}

inline int draw_oval(int colour, int x1, int y1, int x2, int y2, int width) {
  order_corners(x1, y1, x2, y2);
  width = check_width(width);
  colour = check_color(colour);
  if (window_state.logging_on) log_oval(colour, x1, y1, x2, y2, width);
  render_two_points(KindOval, colour, x1, y1, x2, y2, width);
  return 1;
}

inline int draw_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width) {
  colour = check_color(colour);
  width = check_width(width);
  if (window_state.logging_on) log_triangle(colour, x1, y1, x2, y2, x3, y3);
  render_command({.kind = KindTriangle,
                  .colour = colour,
                  .width = width,
                  .x1 = x1,
                  .y1 = y1,
                  .x2 = x2,
                  .y2 = y2,
                  .x3 = x3,
                  .y3 = y3});
  return 1;
}

inline int draw_line(int colour, int x1, int y1, int x2, int y2, int width) {
  width = check_width(width);
  colour = check_color(colour);
  if (window_state.logging_on) log_line(colour, x1, y1, x2, y2, width);
  render_two_points(KindLine, colour, x1, y1, x2, y2, width < 1 ? 1 : width);
  return 1;
}

// Figures given as data (Display::drawFigures). A plain figure is one its own call would draw
// without a message or a log line: a known kind, a colour of the table, a width not negative,
// logging off.
inline bool plain_figure(const Figure& f) {
  return (static_cast<unsigned>(f.colour) < kColourCount) & (f.width >= 0) &
         (static_cast<unsigned>(f.kind) <= Figure::Oval) & !window_state.logging_on;
}

// The command of a plain figure, as its own call makes it, without a branch on the kind: a
// program drawing a mix of figures would mispredict which comes next at nearly every one.
// Boxes take their corners in order and keep no third point.
inline DrawCommand figure_command(const Figure& f) {
  int x1 = f.x1, y1 = f.y1, x2 = f.x2, y2 = f.y2;
  const bool box = f.kind != Figure::Triangle;
  swap_if(box & (x1 > x2), x1, x2);
  swap_if(box & (y1 < y2), y1, y2);
  const int third = -static_cast<int>(!box);
  return {.kind = f.kind,
          .colour = f.colour,
          .width = f.width,
          .x1 = x1,
          .y1 = y1,
          .x2 = x2,
          .y2 = y2,
          .x3 = f.x3 & third,
          .y3 = f.y3 & third};
}

// One figure given as data, as its own call draws it; 0 for an unknown kind.
inline int draw_figure(const Figure& f) {
  if (!plain_figure(f)) [[unlikely]] {
    switch (static_cast<int>(f.kind)) {
      case KindRectangle:
        return draw_rectangle(f.colour, f.x1, f.y1, f.x2, f.y2, f.width);
      case KindOval:
        return draw_oval(f.colour, f.x1, f.y1, f.x2, f.y2, f.width);
      case KindTriangle:
        return draw_triangle(f.colour, f.x1, f.y1, f.x2, f.y2, f.x3, f.y3, f.width);
      default:
        return 0;
    }
  }
  render_command(figure_command(f));
  return 1;
}

}  // namespace zr590
