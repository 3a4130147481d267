// The shapes the user sizes with two clicks: a box given by two opposite corners, (x, y) the
// first click and (x2, y2) the second, stored in click order. moveTo and resizeTo leave them
// in normal form: (x, y) upper left, (x2, y2) lower right.
#pragma once

#include "shape.h"

class Rect : public Shape {
 public:
  Rect() : colour(0), lineWidth(0), x2(0), y2(0) {}
  // Corners first, as clicked and as recorded in the file.
  Rect(int x1, int y1, int x2, int y2, int colour, int lineWidth)
      : Shape(x1, y1), colour(colour), lineWidth(lineWidth), x2(x2), y2(y2) {}
  Rect(const Rect&) = default;
  Rect& operator=(const Rect&) = default;

  void draw(Display& display) override;
  void write(std::ostream& out) override;
  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  void moveTo(int px, int py) override;
  void resizeTo(Display& display, int px, int py) override;
  void setLineWidth(Display& display, int lineWidth) override;
  void setColour(Display& display, int colour) override;

 private:
  int colour;
  int lineWidth;
  int x2;
  int y2;
};

// The ellipse inscribed in the box.
class Oval : public Shape {
 public:
  Oval() : colour(0), lineWidth(0), x2(0), y2(0) {}
  Oval(int x1, int y1, int x2, int y2, int colour, int lineWidth)
      : Shape(x1, y1), colour(colour), lineWidth(lineWidth), x2(x2), y2(y2) {}
  Oval(const Oval&) = default;
  Oval& operator=(const Oval&) = default;

  void draw(Display& display) override;
  void write(std::ostream& out) override;
  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  void moveTo(int px, int py) override;
  void resizeTo(Display& display, int px, int py) override;
  void setLineWidth(Display& display, int lineWidth) override;
  void setColour(Display& display, int colour) override;

 private:
  int colour;
  int lineWidth;
  int x2;
  int y2;
};
