// The editor's state across events: start-up, the two-click state, which buttons drop the
// selection, the fill switch, 'c' and quit. Whole sessions are in tests/e2e.
#include "editor_loop.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

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
  EXPECT_TRUE(zr590::window_state.visible_logging);  // Ctrl+L will show it
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), "red triangle at (-164,240), (-169,247), (-159,247)");
  EXPECT_NE(std::find(got.begin(), got.end(), "blue text at (-285,-110), \"ON\""), got.end());
  EXPECT_EQ(editor().tool(), ToolNone);
  click(0, 0);
  click(100, -100);
  EXPECT_TRUE(shapes_.isEmpty());
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

// After a square is added, events that change no shape make no step of their own: the square is
// the only step to undo and redo.
TEST_F(EditorLoopTest, WhatChangesNoShapeIsNoStepToUndo) {
  const std::vector<std::function<void()>> noChange = {
      [&] { chooseColour(5); },  // nothing selected
      [&] { choose(ToolFill); },
      [&] { choose(ToolDelete); },
      [&] { choose(ToolMove), click(50, 50); },
      [&] { choose(ToolPick), click(0, 0), choose(ToolMove), click(0, 0); },  // the same place
      [&] { choose(ToolPick), click(0, 0), chooseColour(3); },                // its own colour
      [&] { choose(ToolPick), click(0, 0), choose(ToolResize), click(60, 60); },
      [&] { choose(ToolRect), click(10, 10); },  // a first corner only
      [&] { platform_.push_reply(""), choose(ToolLoad); },
      [&] { platform_.push_reply("no such file"), choose(ToolLoad); },
      [&] { platform_.push_reply(""), choose(ToolSave); },
  };
  for (std::size_t i = 0; i < noChange.size(); ++i) {
    chooseColour(3);
    choose(ToolSquare);
    click(0, 0);
    noChange[i]();
    key('z');
    key('z');
    EXPECT_EQ(shapes_.size(), 0) << "case " << i;
    key('y');
    key('y');
    EXPECT_EQ(shapes_.size(), 1) << "case " << i;
    editor_.reset();
    shapes_.removeAll();
    editor_ = std::make_unique<Editor>(display(), shapes_);
  }
  // Clearing an empty drawing is no change either: the square can still be redone.
  choose(ToolSquare);
  click(0, 0);
  key('z');
  key('c');
  key('y');
  EXPECT_EQ(shapes_.size(), 1);
}

TEST_F(EditorLoopTest, UndoAndRedoDropTheSelectionOnlyWhenTheyChangeSomething) {
  choose(ToolSquare);
  click(0, 0);
  click(100, 0);
  choose(ToolPick);
  click(0, 0);
  key('y');  // nothing to redo
  EXPECT_NE(editor().selected(), nullptr);
  key('Z');
  EXPECT_EQ(editor().selected(), nullptr);
  EXPECT_EQ(records(), "Square     0     0     0     0\n");
  click(0, 0);
  key('Y');
  EXPECT_EQ(editor().selected(), nullptr);
  EXPECT_EQ(shapes_.size(), 2);
}

TEST_F(EditorLoopTest, QuitAndTicksOnlyEndOrRepaint) {
  editor().handle(Periodic, 5, 5, 'c');
  editor().handle(0, 5, 5, 'c');
  EXPECT_FALSE(editor().quitRequested());
  editor().handle(Quit, 0, 0, 0);
  EXPECT_TRUE(editor().quitRequested());
}

}  // namespace
}  // namespace editor_test
