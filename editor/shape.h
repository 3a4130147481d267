// The abstract shape: a reference point (and a box's second corner), a colour and a line
// width, and the operations every figure of a drawing offers. The list, the loop and the file
// code handle shapes only through this interface. What the five kinds share is done here once;
// a kind's figure is data (its FigureForm), and a kind overrides only what is its own (pick
// box, selection mark, and for the boxes moving and resizing).
#pragma once

#include <zr590/display.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <iosfwd>

#include "coord_math.h"
#include "shape_memory.h"

struct ShapeType;

// A record's numbers in record order: (x, y, colour, lineWidth) for a shape given by one
// point, (x1, y1, x2, y2, colour, lineWidth) for one given by two.
inline constexpr int kMaxRecordFields = 6;
using RecordFields = std::array<int, kMaxRecordFields>;

// How a kind's figure follows from its stored points: which figure of the library it is, and
// where the figure's points lie from them. The first and third points lie from (x, y), the
// second from (x2, y2) for a kind given by two points and from (x, y) otherwise. A kind is
// drawn from this data rather than by code of its own, so that a redraw runs the same code for
// every shape whatever the mix of kinds. The offsets are a few pixels at most.
struct FigureForm {
  zr590::Figure::Kind figure;
  bool twoPoints = false;
  int dx1 = 0, dy1 = 0, dx2 = 0, dy2 = 0, dx3 = 0, dy3 = 0;
};

class Shape {
 public:
  explicit Shape(const FigureForm& form) : form(&form), x(0), y(0) {}
  Shape(const FigureForm& form, int x, int y, int colour, int lineWidth)
      : colour(colour), lineWidth(lineWidth), form(&form), x(x), y(y) {}
  Shape(const FigureForm& form, int x1, int y1, int x2, int y2, int colour, int lineWidth)
      : colour(colour), lineWidth(lineWidth), x2(x2), y2(y2), form(&form), x(x1), y(y1) {}
  virtual ~Shape() = default;
  // Shapes come from shape_memory.h (a drawing may hold millions).
  static void* operator new(std::size_t size) { return allocateShapeMemory(size); }
  static void operator delete(void* memory, std::size_t size) { releaseShapeMemory(memory, size); }

  // The figure, as its form places it. A box is given as the library keeps it, upper left
  // corner first and without a third point, so that the library finds it equal to the command
  // it kept at a glance.
  zr590::Figure figure() const {
    const FigureForm& f = *form;
    // Chosen without branches: kinds come in any mix, and a mispredicted branch per shape
    // would cost more than the whole figure.
    const int second = -static_cast<int>(f.twoPoints);
    const int baseX = pick(second, x2, x), baseY = pick(second, y2, y);
    int x1, y1, xb, yb, x3, y3;
    // Within 2^30 of 0, as everything a user can click is, no sum can leave the int range.
    constexpr unsigned kNear = 1u << 30;
    const unsigned far = (static_cast<unsigned>(x) + kNear) | (static_cast<unsigned>(y) + kNear) |
                         (static_cast<unsigned>(baseX) + kNear) |
                         (static_cast<unsigned>(baseY) + kNear);
    if (far < 2 * kNear) [[likely]] {
      x1 = x + f.dx1, y1 = y + f.dy1, xb = baseX + f.dx2, yb = baseY + f.dy2;
      x3 = x + f.dx3, y3 = y + f.dy3;
    } else {
      using editor::offset;
      x1 = offset(x, f.dx1), y1 = offset(y, f.dy1), xb = offset(baseX, f.dx2);
      yb = offset(baseY, f.dy2), x3 = offset(x, f.dx3), y3 = offset(y, f.dy3);
    }
    const int box = -static_cast<int>(f.figure != zr590::Figure::Triangle);
    return {.kind = f.figure,
            .colour = colour,
            .width = lineWidth,
            .x1 = pick(box, std::min(x1, xb), x1),
            .y1 = pick(box, std::max(y1, yb), y1),
            .x2 = pick(box, std::max(x1, xb), xb),
            .y2 = pick(box, std::min(y1, yb), yb),
            .x3 = x3 & ~box,
            .y3 = y3 & ~box};
  }
  void draw(Display& display) {
    const zr590::Figure f = figure();
    display.drawFigures(&f, 1);
  }
  // One record of the drawing file, line end included: the type word, then fields(). (SAVE
  // formats the same record straight into its own buffer.)
  virtual void write(std::ostream& out);
  // True when (px, py) lies in the pick box, border included.
  virtual bool contains(int px, int py) = 0;
  virtual void drawSelection(Display& display) = 0;
  // Puts the reference point on (px, py).
  virtual void moveTo(int px, int py);
  // Nothing: a shape given by one point has a fixed size.
  virtual void resizeTo(Display& display, int px, int py);
  // Store the value, then draw the shape once.
  void setLineWidth(Display& display, int lineWidth);
  void setColour(Display& display, int colour);

  // Its row of the shape-type table: type word, field count, tool.
  virtual const ShapeType& type() const = 0;
  // Every stored value, as its record holds them; setFields puts them back without drawing.
  virtual RecordFields fields() const;
  virtual void setFields(const RecordFields& f);

  int getX() const { return x; }
  int getY() const { return y; }
  void setPosition(int newX, int newY) {
    x = newX;
    y = newY;
  }

 protected:
  // A copy takes every value but belongs to no list.
  Shape(const Shape& other)
      : colour(other.colour),
        lineWidth(other.lineWidth),
        x2(other.x2),
        y2(other.y2),
        form(other.form),
        x(other.x),
        y(other.y) {}
  Shape& operator=(const Shape& other) {
    colour = other.colour;
    lineWidth = other.lineWidth;
    x2 = other.x2;
    y2 = other.y2;
    form = other.form;
    x = other.x;
    y = other.y;
    return *this;
  }

  // `a` where `mask` is all ones, `b` where it is 0.
  static int pick(int mask, int a, int b) { return (a & mask) | (b & ~mask); }

  int colour = 0;
  int lineWidth = 0;  // 0 draws filled, a positive value an outline that many pixels wide
  // The second corner of a shape given by two points (unused by the others).
  int x2 = 0;
  int y2 = 0;

 private:
  friend class ShapeList;
  // The shape is its own node in the list: the links to the next older and the next newer
  // shape. One allocation per shape keeps a drawing of millions small; the link to the newer
  // shape lets a redraw walk the drawing oldest first in one pass, in the order the shapes
  // usually lie in memory.
  Shape* next = nullptr;
  Shape* newer = nullptr;
  const FigureForm* form;
  int x;
  int y;
};
