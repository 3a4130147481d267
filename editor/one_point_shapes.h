// The fixed-size shapes, given by their centre: each reaches 10 pixels to either side.
#pragma once

#include "shape.h"

class Circle : public Shape {
 public:
  Circle() : colour(0), lineWidth(0) {}
  Circle(int x, int y, int colour, int lineWidth)
      : Shape(x, y), colour(colour), lineWidth(lineWidth) {}
  Circle(const Circle&) = default;
  Circle& operator=(const Circle&) = default;

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
};

class Square : public Shape {
 public:
  Square() : colour(0), lineWidth(0) {}
  Square(int x, int y, int colour, int lineWidth)
      : Shape(x, y), colour(colour), lineWidth(lineWidth) {}
  Square(const Square&) = default;
  Square& operator=(const Square&) = default;

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
};

// Isosceles, 20 wide and 16 high, apex up.
class Triangle : public Shape {
 public:
  Triangle() : colour(0), lineWidth(0) {}
  Triangle(int x, int y, int colour, int lineWidth)
      : Shape(x, y), colour(colour), lineWidth(lineWidth) {}
  Triangle(const Triangle&) = default;
  Triangle& operator=(const Triangle&) = default;

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
};
