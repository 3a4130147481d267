#include "one_point_shapes.h"

#include <zr590/display.h>

#include "coord_math.h"

using editor::offset;
using editor::Wide;

namespace {

constexpr int kBlack = 0;
constexpr int kHalfSize = 10;
// 10 * sqrt(3) / 2, truncated.
constexpr int kTriangleHalfHeight = 8;
constexpr int kTrianglePickReach = 5;
// The mark of the circle and the square lies 2 pixels outside the figure.
constexpr int kMarkReach = 12;

// Is (px, py) within `reach` of (x, y) in both axes, border included?
bool withinBox(int x, int y, int reach, int px, int py) {
  return Wide{x} - reach <= px && px <= Wide{x} + reach && Wide{y} - reach <= py &&
         py <= Wide{y} + reach;
}

void drawMark(Display& display, int x, int y, int reach) {
  display.drawRectangle(offset(x, -reach), offset(y, reach), offset(x, reach), offset(y, -reach), 0,
                        1);
}

}  // namespace

// --- Circle: drawn as an oval on its bounding box, so it obeys the line width.

const FigureForm Circle::kForm{.figure = zr590::Figure::Oval,
                               .dx1 = -kHalfSize,
                               .dy1 = kHalfSize,
                               .dx2 = kHalfSize,
                               .dy2 = -kHalfSize};

bool Circle::contains(int px, int py) {
  return withinBox(getX(), getY(), kHalfSize, px, py);
}

void Circle::drawSelection(Display& display) {
  drawMark(display, getX(), getY(), kMarkReach);
}

// The display's circle, which is always filled.
void Circle::drawButton(Display& display, int cx, int cy) {
  display.drawCircle(cx, cy, kHalfSize, kBlack);
}

// --- Square

const FigureForm Square::kForm{.figure = zr590::Figure::Rectangle,
                               .dx1 = -kHalfSize,
                               .dy1 = -kHalfSize,
                               .dx2 = kHalfSize,
                               .dy2 = kHalfSize};

bool Square::contains(int px, int py) {
  return withinBox(getX(), getY(), kHalfSize, px, py);
}

void Square::drawSelection(Display& display) {
  drawMark(display, getX(), getY(), kMarkReach);
}

void Square::drawButton(Display& display, int cx, int cy) {
  display.drawRectangle(cx - kHalfSize, cy - kHalfSize, cx + kHalfSize, cy + kHalfSize, kBlack, 0);
}

// --- Triangle: vertices lower left, apex, lower right. Its pick box is smaller than the
// figure; its mark touches the two base corners.

const FigureForm Triangle::kForm{.figure = zr590::Figure::Triangle,
                                 .dx1 = -kHalfSize,
                                 .dy1 = -kTriangleHalfHeight,
                                 .dy2 = kTriangleHalfHeight,
                                 .dx3 = kHalfSize,
                                 .dy3 = -kTriangleHalfHeight};

bool Triangle::contains(int px, int py) {
  return withinBox(getX(), getY(), kTrianglePickReach, px, py);
}

void Triangle::drawSelection(Display& display) {
  drawMark(display, getX(), getY(), kHalfSize);
}

// 20 wide and 15 high: apex 10 above the centre, base 5 below it.
void Triangle::drawButton(Display& display, int cx, int cy) {
  display.drawTriangle(cx, cy + 10, cx - kHalfSize, cy - 5, cx + kHalfSize, cy - 5, kBlack, 0);
}
