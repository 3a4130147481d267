// The fixed-size shapes, given by their centre: each reaches 10 pixels to either side. Moving,
// resizing (nothing), the setters and the record are the base class's.
#pragma once

#include "shape.h"

class Circle : public Shape {
 public:
  Circle() : Shape(kForm) {}
  Circle(int x, int y, int colour, int lineWidth) : Shape(kForm, x, y, colour, lineWidth) {}
  Circle(const Circle&) = default;
  Circle& operator=(const Circle&) = default;

  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  const ShapeType& type() const override;
  // The palette button: a filled circle.
  static void drawButton(Display& display, int cx, int cy);

 private:
  static const FigureForm kForm;
};

class Square : public Shape {
 public:
  Square() : Shape(kForm) {}
  Square(int x, int y, int colour, int lineWidth) : Shape(kForm, x, y, colour, lineWidth) {}
  Square(const Square&) = default;
  Square& operator=(const Square&) = default;

  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  const ShapeType& type() const override;
  // The palette button: a filled square.
  static void drawButton(Display& display, int cx, int cy);

 private:
  static const FigureForm kForm;
};

// Isosceles, 20 wide and 16 high, apex up.
class Triangle : public Shape {
 public:
  Triangle() : Shape(kForm) {}
  Triangle(int x, int y, int colour, int lineWidth) : Shape(kForm, x, y, colour, lineWidth) {}
  Triangle(const Triangle&) = default;
  Triangle& operator=(const Triangle&) = default;

  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  const ShapeType& type() const override;
  // The palette button: a filled triangle, apex first.
  static void drawButton(Display& display, int cx, int cy);

 private:
  static const FigureForm kForm;
};
