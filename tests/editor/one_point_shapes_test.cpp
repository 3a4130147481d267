// Geometry of the circle, the square and the triangle, observed through the drawing log.
#include "one_point_shapes.h"

#include <climits>
#include <sstream>

#include "editor_fixture.h"

namespace editor_test {
namespace {

class OnePointShapes : public EditorTest {};

TEST_F(OnePointShapes, DrawCallsUseColourAndLineWidth) {
  Circle(10, 20, 4, 0).draw(display());
  Circle(10, 20, 4, 1).draw(display());
  Square(-20, 30, 4, 1).draw(display());
  Square(-20, 30, 4, 0).draw(display());
  Triangle(100, -50, 3, 0).draw(display());
  EXPECT_EQ(take(), (Lines{
                        "blue oval with bounding box (0,30) to (20,10), filled",
                        "blue oval with bounding box (0,30) to (20,10), line width 1",
                        "blue rectangle with bounding box (-30,40) to (-10,20) with line width 1",
                        "blue rectangle with bounding box (-30,40) to (-10,20), filled",
                        "green triangle at (90,-58), (100,-42), (110,-58)",
                    }));
}

TEST_F(OnePointShapes, OutOfRangeValuesAreStoredAndLeftToTheDisplay) {
  Square s(0, 0, 99, -3);
  s.draw(display());
  EXPECT_EQ(take(),
            (Lines{"Illegal color 99; using RED.", "Width of -3 not possible, using width 3",
                   "red rectangle with bounding box (-10,10) to (10,-10) with line width 3"}));
  std::ostringstream out;
  s.write(out);
  EXPECT_EQ(out.str(), "Square     0     0     99     -3\n");
}

TEST_F(OnePointShapes, PickBoxesIncludeTheirBorder) {
  Circle c(0, 0, 0, 0);
  EXPECT_TRUE(c.contains(10, -10));  // a corner outside the drawn circle
  EXPECT_TRUE(c.contains(-10, 10));
  EXPECT_FALSE(c.contains(11, 0));
  EXPECT_FALSE(c.contains(0, -11));

  Square s(-20, 30, 0, 0);
  EXPECT_TRUE(s.contains(-30, 20));
  EXPECT_TRUE(s.contains(-10, 40));
  EXPECT_FALSE(s.contains(-31, 30));
  EXPECT_FALSE(s.contains(-20, 41));

  // The triangle's box is smaller than the triangle: its own apex is outside.
  Triangle t(0, 0, 0, 0);
  EXPECT_TRUE(t.contains(5, 5));
  EXPECT_TRUE(t.contains(-5, -5));
  EXPECT_FALSE(t.contains(6, 0));
  EXPECT_FALSE(t.contains(0, -6));
  EXPECT_FALSE(t.contains(0, 8));
}

TEST_F(OnePointShapes, SelectionMarks) {
  Circle(0, 0, 5, 0).drawSelection(display());
  Square(0, 0, 5, 0).drawSelection(display());
  Triangle(0, 0, 5, 0).drawSelection(display());
  Square(7, -3, 5, 0).drawSelection(display());
  EXPECT_EQ(take(), (Lines{
                        "black rectangle with bounding box (-12,12) to (12,-12) with line width 1",
                        "black rectangle with bounding box (-12,12) to (12,-12) with line width 1",
                        "black rectangle with bounding box (-10,10) to (10,-10) with line width 1",
                        "black rectangle with bounding box (-5,9) to (19,-15) with line width 1",
                    }));
}

TEST_F(OnePointShapes, MoveResizeAndSetters) {
  Circle c(1, 2, 3, 0);
  c.moveTo(-300, 250);  // nothing is clamped to the drawing area
  EXPECT_EQ(c.getX(), -300);
  EXPECT_EQ(c.getY(), 250);
  c.resizeTo(display(), 500, 500);
  EXPECT_TRUE(take().empty());
  EXPECT_EQ(c.getX(), -300);

  c.setColour(display(), 7);
  EXPECT_EQ(take(), Lines{"cyan oval with bounding box (-310,260) to (-290,240), filled"});
  c.setLineWidth(display(), 1);
  EXPECT_EQ(take(), Lines{"cyan oval with bounding box (-310,260) to (-290,240), line width 1"});

  std::ostringstream out;
  c.write(out);
  EXPECT_EQ(out.str(), "Circle     -300     250     7     1\n");
}

// Coordinates from a file may be anything; nothing may overflow, and a shape far out is picked
// where it is drawn.
TEST_F(OnePointShapes, ExtremeCoordinatesClampInsteadOfOverflowing) {
  Square s(INT_MAX, INT_MIN, 0, 0);
  s.draw(display());
  s.drawSelection(display());
  EXPECT_EQ(take(), (Lines{
                        "black rectangle with bounding box (2147483637,-2147483638) to "
                        "(2147483647,-2147483648), filled",
                        "black rectangle with bounding box (2147483635,-2147483636) to "
                        "(2147483647,-2147483648) with line width 1",
                    }));
  EXPECT_TRUE(s.contains(INT_MAX, INT_MIN));
  EXPECT_TRUE(s.contains(INT_MAX - 10, INT_MIN + 10));
  EXPECT_FALSE(s.contains(INT_MAX - 11, INT_MIN));
  EXPECT_FALSE(s.contains(0, 0));

  Triangle t(INT_MIN, INT_MAX, 0, 0);
  t.draw(display());
  EXPECT_EQ(take(), Lines{"black triangle at (-2147483648,2147483639), (-2147483648,2147483647), "
                          "(-2147483638,2147483639)"});
  EXPECT_TRUE(t.contains(INT_MIN, INT_MAX));
}

}  // namespace
}  // namespace editor_test
