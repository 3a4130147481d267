// The abstract shape: a reference point, a colour and a line width, and the operations every
// figure of a drawing offers. The list, the loop and the file code handle shapes only through
// this interface. What the five kinds share is done here once; a kind overrides only what is
// its own (drawing, pick box, selection mark, and for the boxes moving and resizing).
#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>

#include "shape_memory.h"

class Display;
struct ShapeType;

// A record's numbers in record order: (x, y, colour, lineWidth) for a shape given by one
// point, (x1, y1, x2, y2, colour, lineWidth) for one given by two.
inline constexpr int kMaxRecordFields = 6;
using RecordFields = std::array<int, kMaxRecordFields>;

class Shape {
 public:
  Shape() : x(0), y(0) {}
  Shape(int x, int y) : x(x), y(y) {}
  Shape(int x, int y, int colour, int lineWidth)
      : colour(colour), lineWidth(lineWidth), x(x), y(y) {}
  virtual ~Shape() = default;
  // Shapes come from shape_memory.h (a drawing may hold millions).
  static void* operator new(std::size_t size) { return allocateShapeMemory(size); }
  static void operator delete(void* memory, std::size_t size) { releaseShapeMemory(memory, size); }

  virtual void draw(Display& display) = 0;
  // draw() as a plain function, worked out once per shape. A redraw reads it from the next
  // shape before drawing the current one: where the call goes depends on the kind, which a
  // drawing mixes at random, and a mispredicted call costs least when its target is known early.
  using DrawFunction = void (*)(Shape&, Display&);
  DrawFunction drawFunction() {
    if (drawFunction_ == nullptr) drawFunction_ = ownDrawFunction();
    return drawFunction_;
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
  virtual void setLineWidth(Display& display, int lineWidth);
  virtual void setColour(Display& display, int colour);

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
      : colour(other.colour), lineWidth(other.lineWidth), x(other.x), y(other.y) {}
  Shape& operator=(const Shape& other) {
    colour = other.colour;
    lineWidth = other.lineWidth;
    x = other.x;
    y = other.y;
    return *this;
  }

  // A kind's draw() without the virtual call (a kind whose draw() is final returns
  // &drawAs<Kind>); by default, the virtual call itself.
  virtual DrawFunction ownDrawFunction() const;
  template <typename Kind>
  static void drawAs(Shape& shape, Display& display) {
    static_cast<Kind&>(shape).Kind::draw(display);
  }

  int colour = 0;
  int lineWidth = 0;  // 0 draws filled, a positive value an outline that many pixels wide

 private:
  friend class ShapeList;
  // The shape is its own node in the list: the links to the next older and the next newer
  // shape. One allocation per shape keeps a drawing of millions small; the link to the newer
  // shape lets a redraw walk the drawing oldest first in one pass, in the order the shapes
  // usually lie in memory.
  Shape* next = nullptr;
  Shape* newer = nullptr;
  DrawFunction drawFunction_ = nullptr;  // not copied: a copy works out its own
  int x;
  int y;
};
