// The abstract shape: a reference point and the operations every figure of a drawing offers.
// The list, the loop and the file code handle shapes only through this interface.
#pragma once

#include <iosfwd>

class Display;

class Shape {
 public:
  Shape() : x(0), y(0) {}
  Shape(int x, int y) : x(x), y(y) {}
  virtual ~Shape() = default;

  virtual void draw(Display& display) = 0;
  // One record of the drawing file, line end included.
  virtual void write(std::ostream& out) = 0;
  // True when (px, py) lies in the pick box, border included.
  virtual bool contains(int px, int py) = 0;
  virtual void drawSelection(Display& display) = 0;
  virtual void moveTo(int px, int py) = 0;
  virtual void resizeTo(Display& display, int px, int py) = 0;
  // Store the value, then draw the shape once.
  virtual void setLineWidth(Display& display, int lineWidth) = 0;
  virtual void setColour(Display& display, int colour) = 0;

  int getX() const { return x; }
  int getY() const { return y; }
  void setPosition(int newX, int newY) {
    x = newX;
    y = newY;
  }

 protected:
  Shape(const Shape&) = default;
  Shape& operator=(const Shape&) = default;

 private:
  int x;
  int y;
};
