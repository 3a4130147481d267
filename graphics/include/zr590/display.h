// The display object: the one door of an application into the library. It opens the library
// when constructed and closes it when destroyed; its drawing operations take coordinates
// first, then colour and width. Only one may exist in a process.
//
// The class is zr590::Display. By default `Display` names it too (see <zr590/zr590.h> for
// ZR590_NO_GLOBAL_NAMES).
#pragma once

#include <zr590/zr590.h>

#ifndef __cplusplus
#error "<zr590/display.h> is C++; C programs call the functions of <zr590/zr590.h>"
#endif

namespace zr590 {

// A rectangle, an oval or a triangle given as data. drawFigures draws each figure as the
// matching drawRectangle, drawOval or drawTriangle call would, in order, with the same checks,
// messages and log lines (a kind that is none of the three draws nothing). A program that
// keeps its figures as data draws many of them, of any mix of kinds, at the cost of one call.
// It has no global name: programs written before it may have a Figure of their own.
struct Figure {
  enum Kind : int { Triangle = 0, Rectangle = 1, Oval = 2 };
  Kind kind;
  int colour, width;
  int x1, y1, x2, y2;
  int x3, y3;  // a triangle's third point; the other kinds ignore it
};

class ZR590_API Display {
 public:
  Display();
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Copies the finished picture to the window, then fills the 600 x 500 area with `colour`.
  void clear(int colour);
  // Waits for the next event: 1 Mouse, 2 Key, 3 Periodic, 4 Quit, 0 anything else.
  int nextEvent(int& x, int& y, char& key);
  // Whether the event nextEvent last returned was played from the script (ZR590.SCR).
  bool eventFromScript() const;
  // Writes the picture to `path` as PNG (ZR590_save_picture); false with the reason in the
  // text window.
  bool savePicture(const char* path);
  // Writes `figures` to `path` as an SVG file, one element per figure in order, placed and
  // coloured as drawFigures would draw them on the window background; false with the reason
  // in the text window. The file is the picture's size, with crisp edges.
  bool saveFiguresSvg(const char* path, const Figure* figures, int count);
  // 0 halt, 1 single step, 2 run, 3 quit; other values are passed to the library unchanged.
  void setAnimation(int mode);

  int drawText(int x, int y, const char* text, int colour, int ptsize);
  int drawLine(int x1, int y1, int x2, int y2, int colour, int width);
  int drawRectangle(int x1, int y1, int x2, int y2, int colour, int width);
  int drawTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int colour, int width);
  int drawOval(int x1, int y1, int x2, int y2, int colour, int width);
  int drawCircle(int x, int y, int radius, int colour);
  // Returns how many figures were drawn.
  int drawFigures(const Figure* figures, int count);

 private:
  int width;
  int height;
  static bool displayExists;
};

}  // namespace zr590

#ifndef ZR590_NO_GLOBAL_NAMES
// A class of its own rather than an alias, so that a program's forward declaration
// `class Display;` names this very class.
class Display : public zr590::Display {};
#endif
