#include "two_point_shapes.h"

#include <zr590/display.h>

#include <algorithm>

#include "coord_math.h"

using editor::distance;
using editor::offset;
using editor::Wide;

namespace {

constexpr int kBlack = 0;

// The box of two corners in whatever order they were clicked.
struct Box {
  int left, top, right, bottom;
};

Box boxOf(int x, int y, int x2, int y2) {
  return {std::min(x, x2), std::max(y, y2), std::max(x, x2), std::min(y, y2)};
}

bool boxContains(const Box& b, int px, int py) {
  return b.left <= px && px <= b.right && b.bottom <= py && py <= b.top;
}

// Centres the box on (px, py), its size cut down to an even number of pixels per axis.
void centreOn(Shape& shape, int& x2, int& y2, int px, int py) {
  Wide hw = distance(x2, shape.getX()) / 2;
  Wide hh = distance(y2, shape.getY()) / 2;
  shape.setPosition(offset(px, -hw), offset(py, hh));
  x2 = offset(px, hw);
  y2 = offset(py, -hh);
}

// Moves, per axis, the edge nearer to the point onto it; on a tie the edge at x (or y) moves.
void pullNearerEdges(Shape& shape, int& x2, int& y2, int px, int py) {
  const int x = shape.getX(), y = shape.getY();
  int fx = distance(px, x) > distance(px, x2) ? x : x2;
  int fy = distance(py, y) > distance(py, y2) ? y : y2;
  shape.setPosition(std::min(fx, px), std::max(fy, py));
  x2 = std::max(fx, px);
  y2 = std::min(fy, py);
}

// A button's box pictogram: 20 wide and 10 high around the centre, black, one pixel.
constexpr int kButtonHalfWidth = 10;
constexpr int kButtonHalfHeight = 5;

}  // namespace

// --- Rect: the figure's corners are the stored ones.

const FigureForm Rect::kForm{.figure = zr590::Figure::Rectangle, .twoPoints = true};

bool Rect::contains(int px, int py) {
  return boxContains(boxOf(getX(), getY(), x2, y2), px, py);
}

// Two pixels outside the box, so the mark stays visible beside the rectangle's own edge.
void Rect::drawSelection(Display& display) {
  Box b = boxOf(getX(), getY(), x2, y2);
  display.drawRectangle(offset(b.left, -2), offset(b.top, 2), offset(b.right, 2),
                        offset(b.bottom, -2), 0, 1);
}

void Rect::moveTo(int px, int py) {
  centreOn(*this, x2, y2, px, py);
}

void Rect::resizeTo(Display&, int px, int py) {
  pullNearerEdges(*this, x2, y2, px, py);
}

RecordFields Rect::fields() const {
  return {getX(), getY(), x2, y2, colour, lineWidth};
}

void Rect::setFields(const RecordFields& f) {
  *this = Rect(f[0], f[1], f[2], f[3], f[4], f[5]);
}

void Rect::drawButton(Display& display, int cx, int cy) {
  display.drawRectangle(cx - kButtonHalfWidth, cy - kButtonHalfHeight, cx + kButtonHalfWidth,
                        cy + kButtonHalfHeight, kBlack, 1);
}

// --- Oval

const FigureForm Oval::kForm{.figure = zr590::Figure::Oval, .twoPoints = true};

bool Oval::contains(int px, int py) {
  return boxContains(boxOf(getX(), getY(), x2, y2), px, py);
}

// The bounding box itself, which the ellipse touches at four points.
void Oval::drawSelection(Display& display) {
  display.drawRectangle(getX(), getY(), x2, y2, 0, 1);
}

void Oval::moveTo(int px, int py) {
  centreOn(*this, x2, y2, px, py);
}

void Oval::resizeTo(Display&, int px, int py) {
  pullNearerEdges(*this, x2, y2, px, py);
}

RecordFields Oval::fields() const {
  return {getX(), getY(), x2, y2, colour, lineWidth};
}

void Oval::setFields(const RecordFields& f) {
  *this = Oval(f[0], f[1], f[2], f[3], f[4], f[5]);
}

void Oval::drawButton(Display& display, int cx, int cy) {
  display.drawOval(cx - kButtonHalfWidth, cy - kButtonHalfHeight, cx + kButtonHalfWidth,
                   cy + kButtonHalfHeight, kBlack, 1);
}
