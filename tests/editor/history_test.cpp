// Undo and redo: every kind of change taken back and done again exactly, in and out of order;
// no step for what changes nothing; shapes that only the history holds destroyed exactly once.
#include "history.h"

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "drawing_file.h"
#include "editor_fixture.h"
#include "one_point_shapes.h"
#include "two_point_shapes.h"

namespace editor_test {
namespace {

class HistoryTest : public EditorTest {
 protected:
  std::string records() const {
    std::ostringstream out;
    shapes_.writeAll(out);
    return out.str();
  }
  void add(Shape* shape) {
    shapes_.add(shape);
    history_.added(shapes_.newestShape());
  }
  void load(const std::string& text) {
    std::istringstream in(text);
    ShapeList aside;
    readRecords(in, aside);
    history_.added(shapes_.addAll(aside));
  }
  // Edits the newest shape at (x, y).
  void edit(int x, int y, const std::function<void(Shape&)>& change) {
    Shape* shape = shapes_.pick(x, y, display());
    ASSERT_NE(shape, nullptr);
    const RecordFields before = shape->fields();
    change(*shape);
    history_.edited(*shape, before);
  }
  void remove(int x, int y) { ASSERT_TRUE(history_.remove(shapes_.pick(x, y, display()))); }

  ShapeList shapes_;
  History history_{shapes_};
};

TEST_F(HistoryTest, EveryKindOfChangeIsUndoneAndRedoneExactly) {
  const std::vector<std::function<void()>> changes = {
      [&] { add(new Square(0, 0, 1, 0)); },
      [&] { add(new Rect(100, 100, 140, 60, 2, 1)); },
      [&] { load("Circle -100 -100 3 0\nOval 200 0 240 -20 4 1\nTriangle 50 50 5 0\n"); },
      [&] { edit(0, 0, [&](Shape& s) { s.moveTo(-50, 50); }); },
      [&] { edit(120, 80, [&](Shape& s) { s.resizeTo(display(), 150, 50); }); },
      [&] { edit(-100, -100, [&](Shape& s) { s.setColour(display(), 7); }); },
      [&] { edit(50, 50, [&](Shape& s) { s.setLineWidth(display(), 1); }); },
      [&] { remove(-100, -100); },  // from the middle
      [&] { remove(50, 50); },      // the newest
      [&] { remove(-50, 50); },     // the oldest
      [&] { ASSERT_TRUE(history_.removeAll()); },
      [&] { add(new Circle(9, 9, 9, 9)); },
      [&] { load("Square 1 1 1 1 Square 2 2 2 2"); },
      [&] { remove(1, 1); },  // the oldest of the two loaded
  };
  std::vector<std::string> states = {records()};
  for (const auto& change : changes) {
    change();
    states.push_back(records());
    ASSERT_NE(states.back(), states[states.size() - 2]) << "change " << states.size() - 1;
  }
  // All the way back, all the way forward, then back and forth in between.
  std::size_t at = changes.size();
  auto go = [&](int steps) {
    for (; steps < 0; ++steps, --at) ASSERT_TRUE(history_.undo()) << "at " << at;
    for (; steps > 0; --steps, ++at) ASSERT_TRUE(history_.redo()) << "at " << at;
    EXPECT_EQ(records(), states[at]) << "after the change " << at;
    std::istringstream again(records());
    ShapeList reread;
    EXPECT_EQ(readRecords(again, reread), shapes_.size());
  };
  for (int step : {-14, 14, -3, 2, -6, 1, -8, 5, 9}) go(step);
  EXPECT_FALSE(history_.redo());
  go(-14);
  EXPECT_FALSE(history_.undo());
}

TEST_F(HistoryTest, WhatChangesNothingMakesNoStep) {
  EXPECT_FALSE(history_.removeAll());  // an empty drawing
  history_.added({});                  // a load that read nothing
  add(new Square(0, 0, 3, 1));
  add(new Rect(-40, 40, 40, -40, 3, 1));
  ASSERT_TRUE(history_.undo());
  ASSERT_TRUE(history_.redo());
  edit(0, 0, [&](Shape& s) { s.moveTo(0, 0); });
  edit(0, 0, [&](Shape& s) { s.setColour(display(), 3); });
  edit(0, 0, [&](Shape& s) { s.setLineWidth(display(), 1); });
  edit(0, 0, [&](Shape& s) { s.resizeTo(display(), -40, 40); });
  Square stranger(0, 0, 0, 0);
  EXPECT_FALSE(history_.remove(&stranger));
  // The newest step is still the rectangle's addition.
  ASSERT_TRUE(history_.undo());
  EXPECT_EQ(records(), "Square     0     0     3     1\n");
}

// Shapes that count how many of them exist.
struct Counted : Square {
  explicit Counted(int x) : Square(x, 0, 0, 0) { ++alive; }
  ~Counted() override { --alive; }
  static inline int alive = 0;
};

// Cycles of "load ten shapes, clear": the history holds at most the largest drawing and its
// extra budget, dropping its oldest steps, and the last clear can still be undone.
TEST_F(HistoryTest, TheHistoryKeepsToItsBudget) {
  constexpr std::size_t kDrawing = 10, kExtraShapes = 25;
  ShapeList shapes;
  History history(shapes, kExtraShapes * History::kBytesPerShape);
  for (int cycle = 0; cycle < 50; ++cycle) {
    ShapeList loaded;
    for (std::size_t i = 0; i < kDrawing; ++i) loaded.add(new Square(int(i), cycle, 0, 0));
    history.added(shapes.addAll(loaded));
    ASSERT_TRUE(history.removeAll());
    EXPECT_LE(history.heldShapes(), kDrawing + kExtraShapes) << cycle;
  }
  EXPECT_LT(history.steps(), 10u);
  ASSERT_TRUE(history.undo());
  EXPECT_EQ(shapes.size(), static_cast<int>(kDrawing));
}

TEST_F(HistoryTest, ShapesHeldOnlyByTheHistoryAreDestroyedOnce) {
  {
    ShapeList shapes;
    History history(shapes);
    for (int x : {0, 100, 200}) {
      shapes.add(new Counted(x));
      history.added(shapes.newestShape());
    }
    ASSERT_TRUE(history.remove(shapes.pick(100, 0, display())));
    ASSERT_TRUE(history.removeAll());
    ASSERT_TRUE(history.undo());  // the two come back
    ASSERT_TRUE(history.undo());  // the removed one comes back
    ASSERT_TRUE(history.undo());  // the newest goes, held for redo
    EXPECT_EQ(shapes.size(), 2);
    EXPECT_EQ(Counted::alive, 3);
    // A new change: the shape held for redo goes for good.
    shapes.add(new Counted(300));
    history.added(shapes.newestShape());
    EXPECT_EQ(Counted::alive, 3);
    EXPECT_FALSE(history.redo());
    ASSERT_TRUE(history.removeAll());  // three held by the history, none by the list
    EXPECT_EQ(shapes.size(), 0);
  }
  EXPECT_EQ(Counted::alive, 0);
}

}  // namespace
}  // namespace editor_test
