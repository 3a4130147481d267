// The fixed-size shapes, given by their centre: each reaches 10 pixels to either side. Moving,
// resizing (nothing), the setters and the record are the base class's.
#pragma once

#include "shape.h"

class Circle : public Shape {
 public:
  Circle() = default;
  Circle(int x, int y, int colour, int lineWidth) : Shape(x, y, colour, lineWidth) {}
  Circle(const Circle&) = default;
  Circle& operator=(const Circle&) = default;

  void draw(Display& display) final;
  DrawFunction ownDrawFunction() const override { return &drawAs<Circle>; }
  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  const ShapeType& type() const override;
  // The palette button: a filled circle.
  static void drawButton(Display& display, int cx, int cy);
};

class Square : public Shape {
 public:
  Square() = default;
  Square(int x, int y, int colour, int lineWidth) : Shape(x, y, colour, lineWidth) {}
  Square(const Square&) = default;
  Square& operator=(const Square&) = default;

  void draw(Display& display) final;
  DrawFunction ownDrawFunction() const override { return &drawAs<Square>; }
  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  const ShapeType& type() const override;
  // The palette button: a filled square.
  static void drawButton(Display& display, int cx, int cy);
};

// Isosceles, 20 wide and 16 high, apex up.
class Triangle : public Shape {
 public:
  Triangle() = default;
  Triangle(int x, int y, int colour, int lineWidth) : Shape(x, y, colour, lineWidth) {}
  Triangle(const Triangle&) = default;
  Triangle& operator=(const Triangle&) = default;

  void draw(Display& display) final;
  DrawFunction ownDrawFunction() const override { return &drawAs<Triangle>; }
  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  const ShapeType& type() const override;
  // The palette button: a filled triangle, apex first.
  static void drawButton(Display& display, int cx, int cy);
};
