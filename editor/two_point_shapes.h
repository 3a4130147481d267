// The shapes the user sizes with two clicks: a box given by two opposite corners, (x, y) the
// first click and (x2, y2) the second, stored in click order. moveTo and resizeTo leave them
// in normal form: (x, y) upper left, (x2, y2) lower right.
#pragma once

#include "shape.h"

class Rect : public Shape {
 public:
  Rect() : Shape(kForm) {}
  // Corners first, as clicked and as recorded in the file.
  Rect(int x1, int y1, int x2, int y2, int colour, int lineWidth)
      : Shape(kForm, x1, y1, x2, y2, colour, lineWidth) {}
  Rect(const Rect&) = default;
  Rect& operator=(const Rect&) = default;

  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  void moveTo(int px, int py) override;
  void resizeTo(Display& display, int px, int py) override;
  const ShapeType& type() const override;
  RecordFields fields() const override;
  void setFields(const RecordFields& f) override;
  // The palette button: an outline 20 by 10.
  static void drawButton(Display& display, int cx, int cy);

 private:
  static const FigureForm kForm;
};

// The ellipse inscribed in the box.
class Oval : public Shape {
 public:
  Oval() : Shape(kForm) {}
  Oval(int x1, int y1, int x2, int y2, int colour, int lineWidth)
      : Shape(kForm, x1, y1, x2, y2, colour, lineWidth) {}
  Oval(const Oval&) = default;
  Oval& operator=(const Oval&) = default;

  bool contains(int px, int py) override;
  void drawSelection(Display& display) override;
  void moveTo(int px, int py) override;
  void resizeTo(Display& display, int px, int py) override;
  const ShapeType& type() const override;
  RecordFields fields() const override;
  void setFields(const RecordFields& f) override;
  // The palette button: an outline 20 by 10.
  static void drawButton(Display& display, int cx, int cy);

 private:
  static const FigureForm kForm;
};
