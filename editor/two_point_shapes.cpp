#include "two_point_shapes.h"

#include <zr590/display.h>

#include <algorithm>

#include "coord_math.h"
#include "drawing_file.h"

using editor::distance;
using editor::offset;
using editor::Wide;

namespace {

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
void centreOn(int& x, int& y, int& x2, int& y2, int px, int py) {
  Wide hw = distance(x2, x) / 2;
  Wide hh = distance(y2, y) / 2;
  x = offset(px, -hw);
  y = offset(py, hh);
  x2 = offset(px, hw);
  y2 = offset(py, -hh);
}

// Moves, per axis, the edge nearer to the point onto it; on a tie the edge at x (or y) moves.
void pullNearerEdges(int& x, int& y, int& x2, int& y2, int px, int py) {
  int fx = distance(px, x) > distance(px, x2) ? x : x2;
  int fy = distance(py, y) > distance(py, y2) ? y : y2;
  x = std::min(fx, px);
  x2 = std::max(fx, px);
  y = std::max(fy, py);
  y2 = std::min(fy, py);
}

}  // namespace

// --- Rect

void Rect::draw(Display& display) {
  display.drawRectangle(getX(), getY(), x2, y2, colour, lineWidth);
}

void Rect::write(std::ostream& out) {
  writeRecord(out, "Rect", {getX(), getY(), x2, y2, colour, lineWidth});
}

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
  int x = getX(), y = getY();
  centreOn(x, y, x2, y2, px, py);
  setPosition(x, y);
}

void Rect::resizeTo(Display&, int px, int py) {
  int x = getX(), y = getY();
  pullNearerEdges(x, y, x2, y2, px, py);
  setPosition(x, y);
}

void Rect::setLineWidth(Display& display, int w) {
  lineWidth = w;
  draw(display);
}

void Rect::setColour(Display& display, int c) {
  colour = c;
  draw(display);
}

// --- Oval

void Oval::draw(Display& display) {
  display.drawOval(getX(), getY(), x2, y2, colour, lineWidth);
}

void Oval::write(std::ostream& out) {
  writeRecord(out, "Oval", {getX(), getY(), x2, y2, colour, lineWidth});
}

bool Oval::contains(int px, int py) {
  return boxContains(boxOf(getX(), getY(), x2, y2), px, py);
}

// The bounding box itself, which the ellipse touches at four points.
void Oval::drawSelection(Display& display) {
  display.drawRectangle(getX(), getY(), x2, y2, 0, 1);
}

void Oval::moveTo(int px, int py) {
  int x = getX(), y = getY();
  centreOn(x, y, x2, y2, px, py);
  setPosition(x, y);
}

void Oval::resizeTo(Display&, int px, int py) {
  int x = getX(), y = getY();
  pullNearerEdges(x, y, x2, y2, px, py);
  setPosition(x, y);
}

void Oval::setLineWidth(Display& display, int w) {
  lineWidth = w;
  draw(display);
}

void Oval::setColour(Display& display, int c) {
  colour = c;
  draw(display);
}
