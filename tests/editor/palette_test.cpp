// The palette's hit tests at their boundaries, and what the palette draws.
#include "palette.h"

#include <climits>

#include "editor_fixture.h"
#include "one_point_shapes.h"

namespace editor_test {
namespace {

TEST(RegionAt, FrameLinesOfTheToolColumnAreDrawingArea) {
  EXPECT_EQ(regionAt(-275, 225), ToolColumn);
  EXPECT_EQ(regionAt(-294, 244), ToolColumn);
  EXPECT_EQ(regionAt(-256, -234), ToolColumn);
  EXPECT_EQ(regionAt(-295, 225), DrawingArea);
  EXPECT_EQ(regionAt(-255, 225), DrawingArea);
  EXPECT_EQ(regionAt(-275, 245), DrawingArea);
  EXPECT_EQ(regionAt(-275, -235), DrawingArea);
  // Left of the column and below it.
  EXPECT_EQ(regionAt(-299, 0), DrawingArea);
  EXPECT_EQ(regionAt(-275, -249), DrawingArea);
}

TEST(RegionAt, FrameLinesOfTheColourBarAreDrawingArea) {
  EXPECT_EQ(regionAt(-100, 234), ColourBar);
  EXPECT_EQ(regionAt(-169, 239), ColourBar);
  EXPECT_EQ(regionAt(105, 229), ColourBar);
  EXPECT_EQ(regionAt(-100, 240), DrawingArea);
  EXPECT_EQ(regionAt(-100, 228), DrawingArea);
  EXPECT_EQ(regionAt(-170, 234), DrawingArea);
  EXPECT_EQ(regionAt(106, 234), DrawingArea);
  // The marker strip above the bar.
  EXPECT_EQ(regionAt(-164, 245), DrawingArea);
}

TEST(RegionAt, ExtremeCoordinatesAreDrawingArea) {
  EXPECT_EQ(regionAt(INT_MIN, INT_MIN), DrawingArea);
  EXPECT_EQ(regionAt(INT_MAX, INT_MAX), DrawingArea);
}

TEST(ToolAt, EachFrameLineBelongsToTheLowerButton) {
  EXPECT_EQ(toolAt(-275, 244), ToolSquare);
  EXPECT_EQ(toolAt(-275, 206), ToolSquare);
  EXPECT_EQ(toolAt(-275, 205), ToolTriangle);
  EXPECT_EQ(toolAt(-275, 25), ToolPick);
  EXPECT_EQ(toolAt(-275, -194), ToolLoad);
  EXPECT_EQ(toolAt(-275, -195), ToolSave);
  EXPECT_EQ(toolAt(-275, -234), ToolSave);
  // x is not looked at.
  EXPECT_EQ(toolAt(1000, 244), ToolSquare);
}

TEST(ToolAt, OutsideTheButtonsIsNone) {
  // The quotient is truncated toward zero, so the 39 rows above the column still give 0.
  EXPECT_EQ(toolAt(-275, 284), ToolSquare);
  EXPECT_EQ(toolAt(-275, 285), ToolNone);
  EXPECT_EQ(toolAt(-275, -235), ToolNone);
  EXPECT_EQ(toolAt(-275, INT_MIN), ToolNone);
  EXPECT_EQ(toolAt(-275, INT_MAX), ToolNone);
}

TEST(ColourAt, EachSeparatorBelongsToTheCellOnItsRight) {
  EXPECT_EQ(colourAt(-169, 234), 0);
  EXPECT_EQ(colourAt(-159, 234), 0);
  EXPECT_EQ(colourAt(-158, 234), 1);
  EXPECT_EQ(colourAt(-147, 234), 1);
  EXPECT_EQ(colourAt(-146, 234), 2);
  EXPECT_EQ(colourAt(93, 234), 21);
  EXPECT_EQ(colourAt(94, 234), 22);
  EXPECT_EQ(colourAt(105, 234), 22);
  EXPECT_GE(colourAt(INT_MAX, 0), 0);
  EXPECT_GE(colourAt(INT_MIN, 0), 0);
}

class PaletteDrawing : public EditorTest {};

// MOVE, RESIZE and the cross follow the selection; PICK stays red; any fill setting but 0
// reads OFF. (The whole column with a selection is checked by the logging session in e2e.)
TEST_F(PaletteDrawing, SelectionColourAndFillLabel) {
  drawToolColumn(display(), nullptr, 7);
  Lines got = take();
  ASSERT_EQ(got.size(), 26u);
  EXPECT_EQ(got[17], "red text at (-287,17), \"PICK\"");
  EXPECT_EQ(got[18], "20% gray text at (-290,-23), \"MOVE\"");
  EXPECT_EQ(got[19], "20% gray text at (-292,-63), \"RESIZE\"");
  EXPECT_EQ(got[21], "blue text at (-285,-110), \"OFF\"");
  EXPECT_EQ(got[22], "20% gray line from (-280,-130) to (-270,-140), width 3");
  EXPECT_EQ(got[23], "20% gray line from (-270,-130) to (-280,-140), width 3");

  Square shape(0, 0, 0, 0);
  drawToolColumn(display(), &shape, 0);
  got = take();
  ASSERT_EQ(got.size(), 26u);
  EXPECT_EQ(got[18], "red text at (-290,-23), \"MOVE\"");
  EXPECT_EQ(got[21], "blue text at (-285,-110), \"ON\"");
  EXPECT_EQ(got[23], "red line from (-270,-130) to (-280,-140), width 3");
}

TEST_F(PaletteDrawing, ColourBarCellsAndMarkerAtBothEnds) {
  drawColourBar(display(), 0);
  Lines got = take();
  // Strip, 23 cells with their separators, frame, marker.
  ASSERT_EQ(got.size(), 1u + 46u + 2u);
  EXPECT_EQ(got[0], "white rectangle with bounding box (-171,250) to (116,227), filled");
  EXPECT_EQ(got[1], "black rectangle with bounding box (-170,240) to (-158,228), filled");
  EXPECT_EQ(got[2], "black line from (-170,240) to (-170,228), width 1");
  EXPECT_EQ(got[45], "50% gray rectangle with bounding box (94,240) to (106,228), filled");
  EXPECT_EQ(got[46], "black line from (94,240) to (94,228), width 1");
  EXPECT_EQ(got[47], "black rectangle with bounding box (-170,240) to (106,228) with line width 1");
  EXPECT_EQ(got[48], "red triangle at (-164,240), (-169,247), (-159,247)");

  drawColourBar(display(), 22);
  EXPECT_EQ(take().back(), "red triangle at (100,240), (95,247), (105,247)");
}

}  // namespace
}  // namespace editor_test
