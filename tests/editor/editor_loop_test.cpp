// The editor's response to events: tools, the two-click state, selection, fill, colours,
// delete, 'c', quit, and the redraw that ends every pass.
#include "editor_loop.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "editor_fixture.h"
#include "palette.h"
#include "shape_list.h"

namespace editor_test {
namespace {

constexpr int kButtonX = -275;
int buttonY(int tool) {
  return 225 - 40 * tool;
}
int cellX(int colour) {
  return -164 + 12 * colour;
}
constexpr int kCellY = 234;

class EditorLoopTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    editor_ = std::make_unique<Editor>(display(), shapes_);
  }
  void TearDown() override {
    editor_.reset();
    shapes_.removeAll();
    EditorTest::TearDown();
  }

  Editor& editor() { return *editor_; }
  void click(int x, int y) { editor().handle(Mouse, x, y, 0); }
  void choose(int tool) { click(kButtonX, buttonY(tool)); }
  void chooseColour(int colour) { click(cellX(colour), kCellY); }
  void key(char c) { editor().handle(Key, 0, 0, c); }
  std::string records() const {
    std::ostringstream out;
    shapes_.writeAll(out);
    return out.str();
  }
  bool drew(const std::string& line) {
    Lines got = take();
    return std::find(got.begin(), got.end(), line) != got.end();
  }

  ShapeList shapes_;
  std::unique_ptr<Editor> editor_;
};

TEST_F(EditorLoopTest, StartsWithNoToolBlackAndFillOn) {
  editor().start();
  Lines got = take();
  EXPECT_FALSE(platform_.visible(zr590::platform::Window::Text));
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), "red triangle at (-164,240), (-169,247), (-159,247)");
  EXPECT_NE(std::find(got.begin(), got.end(), "blue text at (-285,-110), \"ON\""), got.end());
  EXPECT_EQ(editor().tool(), ToolNone);
  click(0, 0);
  click(100, -100);
  EXPECT_TRUE(shapes_.isEmpty());
}

TEST_F(EditorLoopTest, OnePointToolsPlaceShapesWithColourAndFill) {
  choose(ToolCircle);
  chooseColour(4);
  click(10, 20);
  choose(ToolFill);
  choose(ToolSquare);
  click(-10, -20);
  choose(ToolTriangle);
  click(0, 0);
  EXPECT_EQ(records(),
            "Circle     10     20     4     0\n"
            "Square     -10     -20     4     1\n"
            "Triangle     0     0     4     1\n");
}

TEST_F(EditorLoopTest, FrameLinesActAsDrawingArea) {
  choose(ToolSquare);
  click(-295, 225);
  click(-100, 240);
  EXPECT_EQ(records(),
            "Square     -295     225     0     0\nSquare     -100     240     0     0\n");
}

TEST_F(EditorLoopTest, TwoPointShapesTakeTheSecondClicksToolColourAndFill) {
  choose(ToolRect);
  click(0, 0);
  EXPECT_TRUE(shapes_.isEmpty());
  EXPECT_TRUE(editor().awaitingSecondPoint());
  click(50, -30);
  EXPECT_EQ(records(), "Rect     0     0     50     -30     0     0\n");

  // The pending corner survives other tools, colours, fill and picking.
  click(5, 5);
  choose(ToolPick);
  click(300, 300);
  chooseColour(3);
  choose(ToolFill);
  choose(ToolOval);
  click(40, 40);
  EXPECT_EQ(records(),
            "Rect     0     0     50     -30     0     0\n"
            "Oval     5     5     40     40     3     1\n");
  EXPECT_FALSE(editor().awaitingSecondPoint());
}

TEST_F(EditorLoopTest, PickMoveAndResizeTheSelectedShape) {
  choose(ToolRect);
  click(-50, 40);
  click(50, -40);
  choose(ToolMove);
  click(100, 100);  // nothing selected: nothing moves
  choose(ToolPick);
  click(0, 0);
  ASSERT_NE(editor().selected(), nullptr);
  choose(ToolMove);
  ASSERT_NE(editor().selected(), nullptr);
  click(100, 100);
  click(-100, 0);
  EXPECT_EQ(records(), "Rect     -150     40     -50     -40     0     0\n");
  mark();
  editor().redraw();
  EXPECT_TRUE(drew("black rectangle with bounding box (-152,42) to (-48,-42) with line width 1"));
  choose(ToolResize);
  click(-10, 40);
  EXPECT_EQ(records(), "Rect     -150     40     -10     -40     0     0\n");
}

TEST_F(EditorLoopTest, AShapeClickedFromItsLowerRightCornerCanBePickedAndDeleted) {
  choose(ToolOval);
  click(50, -40);
  click(-50, 40);
  choose(ToolPick);
  click(0, 0);
  ASSERT_NE(editor().selected(), nullptr);
  choose(ToolDelete);
  EXPECT_TRUE(shapes_.isEmpty());
  EXPECT_EQ(editor().selected(), nullptr);
}

TEST_F(EditorLoopTest, ColourClicksRecolourOnlyASelectedShape) {
  choose(ToolSquare);
  click(0, 0);
  chooseColour(5);
  EXPECT_EQ(records(), "Square     0     0     0     0\n");
  EXPECT_EQ(editor().colour(), 5);
  choose(ToolPick);
  click(0, 0);
  mark();
  chooseColour(22);
  EXPECT_TRUE(drew("50% gray rectangle with bounding box (-10,10) to (10,-10), filled"));
  EXPECT_EQ(records(), "Square     0     0     22     0\n");
}

TEST_F(EditorLoopTest, FillSwitchTogglesAndASelectedShapeFollows) {
  choose(ToolCircle);
  click(0, 0);
  choose(ToolPick);
  click(0, 0);
  mark();
  choose(ToolFill);
  EXPECT_EQ(editor().lineWidth(), 1);
  EXPECT_TRUE(drew("red text at (-290,-23), \"MOVE\""));  // still selected
  EXPECT_EQ(records(), "Circle     0     0     0     1\n");
  choose(ToolFill);
  EXPECT_EQ(editor().lineWidth(), 0);
  EXPECT_EQ(records(), "Circle     0     0     0     0\n");
  EXPECT_NE(editor().selected(), nullptr);
}

TEST_F(EditorLoopTest, DeleteDestroysTheSelectionAndGreysTheSelectionTools) {
  choose(ToolSquare);
  click(0, 0);
  click(100, 0);
  choose(ToolDelete);  // nothing selected
  EXPECT_EQ(shapes_.size(), 2);
  choose(ToolPick);
  click(100, 0);
  choose(ToolDelete);
  EXPECT_EQ(records(), "Square     0     0     0     0\n");
  EXPECT_EQ(editor().selected(), nullptr);
  mark();
  editor().redraw();
  EXPECT_TRUE(drew("20% gray text at (-290,-23), \"MOVE\""));
}

TEST_F(EditorLoopTest, ButtonsOtherThanMoveResizeFillAndDeleteDropTheSelection) {
  choose(ToolSquare);
  click(0, 0);
  for (int tool : {ToolSquare, ToolTriangle, ToolCircle, ToolRect, ToolOval, ToolPick}) {
    choose(ToolPick);
    click(0, 0);
    ASSERT_NE(editor().selected(), nullptr);
    choose(tool);
    EXPECT_EQ(editor().selected(), nullptr) << tool;
  }
  choose(ToolPick);
  click(0, 0);
  click(200, 200);  // picking empty space drops it too
  EXPECT_EQ(editor().selected(), nullptr);
}

TEST_F(EditorLoopTest, TheCKeyClearsTheDrawing) {
  choose(ToolSquare);
  click(0, 0);
  choose(ToolPick);
  click(0, 0);
  key('x');
  EXPECT_EQ(shapes_.size(), 1);
  key('C');
  EXPECT_TRUE(shapes_.isEmpty());
  EXPECT_EQ(editor().selected(), nullptr);
  choose(ToolSquare);
  click(0, 0);
  key('c');
  EXPECT_TRUE(shapes_.isEmpty());
}

TEST_F(EditorLoopTest, SaveAndLoadButtons) {
  std::string path = ::testing::TempDir() + "editor-loop-" + std::to_string(::getpid()) + ".txt";
  choose(ToolTriangle);
  click(-120, -45);
  platform_.push_reply(path);
  choose(ToolSave);
  key('c');
  platform_.push_reply(path);
  choose(ToolLoad);
  EXPECT_EQ(records(), "Triangle     -120     -45     0     0\n");
  EXPECT_EQ(editor().tool(), ToolLoad);
  click(0, 0);  // LOAD is the current tool: the drawing area does nothing
  EXPECT_EQ(shapes_.size(), 1);
  std::remove(path.c_str());
}

TEST_F(EditorLoopTest, QuitAndTicksOnlyEndOrRepaint) {
  editor().handle(Periodic, 5, 5, 'c');
  editor().handle(0, 5, 5, 'c');
  EXPECT_FALSE(editor().quitRequested());
  editor().handle(Quit, 0, 0, 0);
  EXPECT_TRUE(editor().quitRequested());
}

TEST_F(EditorLoopTest, RedrawPaintsWhiteThenShapesThenPalette) {
  choose(ToolSquare);
  click(0, 0);
  choose(ToolPick);
  click(0, 0);
  mark();
  editor().redraw();
  Lines got = take();
  ASSERT_GE(got.size(), 6u);
  EXPECT_EQ(got[0], "Flushing the graphics window");
  EXPECT_EQ(got[1], "Clearing the graphics window");
  EXPECT_EQ(got[2], "white rectangle with bounding box (-300,250) to (300,-250), filled");
  EXPECT_EQ(got[3], "black rectangle with bounding box (-12,12) to (12,-12) with line width 1");
  EXPECT_EQ(got[4], "black rectangle with bounding box (-10,10) to (10,-10), filled");
  EXPECT_EQ(got[5], "black rectangle with bounding box (-295,245) to (-255,205) with line width 1");
  EXPECT_EQ(got.back(), "red triangle at (-164,240), (-169,247), (-159,247)");
  EXPECT_EQ(got.size(), 3u + 2u + 26u + 49u);
}

}  // namespace
}  // namespace editor_test
