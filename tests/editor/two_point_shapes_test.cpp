// Geometry of rectangles and ovals: pick boxes in either click order, marks, moving, resizing.
#include "two_point_shapes.h"

#include <climits>
#include <sstream>
#include <string>

#include "editor_fixture.h"

namespace editor_test {
namespace {

std::string record(Shape& shape) {
  std::ostringstream out;
  shape.write(out);
  return out.str();
}

class TwoPointShapes : public EditorTest {};

TEST_F(TwoPointShapes, DrawHandsOverTheCornersAsClicked) {
  Rect(10, 20, -30, 40, 13, 1).draw(display());
  Oval(50, -40, -50, 40, 5, 0).draw(display());
  EXPECT_EQ(take(), (Lines{
                        "orange rectangle with bounding box (-30,40) to (10,20) with line width 1",
                        "yellow oval with bounding box (-50,40) to (50,-40), filled",
                    }));
}

TEST_F(TwoPointShapes, RecordsKeepClickOrderWithCornersBeforeColour) {
  Rect r(10, 20, -30, 40, 13, 1);
  Oval o(-50, 40, 50, -40, 5, 1);
  EXPECT_EQ(record(r), "Rect     10     20     -30     40     13     1\n");
  EXPECT_EQ(record(o), "Oval     -50     40     50     -40     5     1\n");
}

TEST_F(TwoPointShapes, PickBoxIncludesBorderInEveryClickOrder) {
  // The same box clicked from each of its four corners.
  const int corners[4][4] = {
      {-50, 40, 50, -40}, {50, -40, -50, 40}, {-50, -40, 50, 40}, {50, 40, -50, -40}};
  for (const auto& c : corners) {
    SCOPED_TRACE(std::to_string(c[0]) + "," + std::to_string(c[1]));
    Rect r(c[0], c[1], c[2], c[3], 0, 0);
    Oval o(c[0], c[1], c[2], c[3], 0, 0);
    for (Shape* s : {static_cast<Shape*>(&r), static_cast<Shape*>(&o)}) {
      EXPECT_TRUE(s->contains(-50, 40));  // for the oval a corner outside the ellipse
      EXPECT_TRUE(s->contains(50, -40));
      EXPECT_TRUE(s->contains(0, 0));
      EXPECT_FALSE(s->contains(51, 0));
      EXPECT_FALSE(s->contains(-51, 0));
      EXPECT_FALSE(s->contains(0, 41));
      EXPECT_FALSE(s->contains(0, -41));
    }
    r.drawSelection(display());
    EXPECT_EQ(take(),
              Lines{"black rectangle with bounding box (-52,42) to (52,-42) with line width 1"});
    o.drawSelection(display());
    EXPECT_EQ(take(),
              Lines{"black rectangle with bounding box (-50,40) to (50,-40) with line width 1"});
  }
}

TEST_F(TwoPointShapes, MoveCentresOnThePointWithAnEvenSize) {
  Rect r(0, 0, 21, -11, 0, 0);
  r.moveTo(100, 100);
  EXPECT_EQ(record(r), "Rect     90     105     110     95     0     0\n");
  r.moveTo(100, 100);  // already even: unchanged
  EXPECT_EQ(record(r), "Rect     90     105     110     95     0     0\n");

  Rect centred(-50, 40, 50, -40, 0, 0);
  centred.moveTo(0, 0);
  EXPECT_EQ(record(centred), "Rect     -50     40     50     -40     0     0\n");

  // A box clicked from its lower right corner comes out in normal form.
  Oval o(21, -11, 0, 0, 2, 1);
  o.moveTo(-100, 0);
  EXPECT_EQ(record(o), "Oval     -110     5     -90     -5     2     1\n");
  EXPECT_TRUE(take().empty());  // moving draws nothing
}

TEST_F(TwoPointShapes, ResizeMovesTheNearerEdges) {
  Rect r(-50, 40, 50, -40, 0, 0);
  r.resizeTo(display(), 80, 10);
  EXPECT_EQ(record(r), "Rect     -50     10     80     -40     0     0\n");

  // Inside the box: it shrinks towards the point.
  Rect shrink(-50, 40, 50, -40, 0, 0);
  shrink.resizeTo(display(), -40, -30);
  EXPECT_EQ(record(shrink), "Rect     -40     40     50     -30     0     0\n");
  EXPECT_TRUE(take().empty());
}

TEST_F(TwoPointShapes, ResizeTiesMoveTheFirstCornersEdge) {
  // A tie in x: the left edge moves; the point lies on the top edge, which stays.
  Rect onEdge(-50, 40, 50, -40, 0, 0);
  onEdge.resizeTo(display(), 0, 40);
  EXPECT_EQ(record(onEdge), "Rect     0     40     50     -40     0     0\n");

  // 40 from the left and 140 from the right; a tie in y moves the top edge.
  Rect left(-50, 40, 50, -40, 0, 0);
  left.resizeTo(display(), -90, 0);
  EXPECT_EQ(record(left), "Rect     -90     0     50     -40     0     0\n");

  // Not in normal form: the tie moves the edge at x (here the right one) and normalises.
  Oval reversed(50, -40, -50, 40, 0, 0);
  reversed.resizeTo(display(), 0, 0);
  EXPECT_EQ(record(reversed), "Oval     -50     40     0     0     0     0\n");
}

TEST_F(TwoPointShapes, SettersStoreAndDrawOnce) {
  Oval o(-50, 40, 50, -40, 5, 1);
  o.setColour(display(), 7);
  o.setLineWidth(display(), 0);
  EXPECT_EQ(take(), (Lines{"cyan oval with bounding box (-50,40) to (50,-40), line width 1",
                           "cyan oval with bounding box (-50,40) to (50,-40), filled"}));
  EXPECT_EQ(record(o), "Oval     -50     40     50     -40     7     0\n");
}

// Whole-range boxes from a file: sizes beyond 32 bits, clamped results, no overflow, and the
// result stays pickable.
TEST_F(TwoPointShapes, ExtremeCoordinatesClampInsteadOfOverflowing) {
  Rect huge(INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0, 0);
  EXPECT_TRUE(huge.contains(0, 0));
  huge.drawSelection(display());
  EXPECT_EQ(take(), Lines{"black rectangle with bounding box (-2147483648,2147483647) to "
                          "(2147483647,-2147483648) with line width 1"});
  huge.moveTo(100, -100);
  EXPECT_EQ(record(huge),
            "Rect     -2147483547     2147483547     2147483647     -2147483648     0     0\n");
  EXPECT_TRUE(huge.contains(100, -100));

  Rect far(INT_MAX, INT_MIN, INT_MIN, INT_MAX, 0, 0);
  // In y the point is 2^31 from y and 2^31 - 1 from y2: only exact distances get this right.
  far.resizeTo(display(), INT_MAX, 0);
  EXPECT_EQ(record(far), "Rect     -2147483648     0     2147483647     -2147483648     0     0\n");
}

}  // namespace
}  // namespace editor_test
