// The list's order, picking, removal and ownership, with shapes that record what is done to
// them; and a drawing of a million shapes walked without running out of stack.
#include "shape_list.h"

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "drawing_file.h"
#include "editor_fixture.h"
#include "one_point_shapes.h"
#include "shape_types.h"

namespace editor_test {
namespace {

// A shape that draws itself as a one-pixel rectangle outlined `id` pixels wide and its mark as
// a line `id` pixels wide, and writes "delete N" to a shared journal. Its pick box is the
// square of half-size `reach` around its point.
const FigureForm kJournalForm{.figure = zr590::Figure::Rectangle};

class JournalShape : public Shape {
 public:
  JournalShape(int id, std::vector<std::string>& journal, int x = 0, int y = 0, int reach = 10)
      : Shape(kJournalForm, x, y, 0, id), id_(id), reach_(reach), journal_(journal) {}
  ~JournalShape() override { journal_.push_back("delete " + std::to_string(id_)); }
  void write(std::ostream& out) override { out << id_ << '\n'; }
  bool contains(int px, int py) override {
    return getX() - reach_ <= px && px <= getX() + reach_ && getY() - reach_ <= py &&
           py <= getY() + reach_;
  }
  void drawSelection(Display& display) override {
    display.drawLine(getX(), getY(), getX(), getY(), 0, id_);
  }
  const ShapeType& type() const override { return shapeTypes().front(); }

 private:
  int id_;
  int reach_;
  std::vector<std::string>& journal_;
};

using Journal = std::vector<std::string>;

class ShapeListTest : public EditorTest {
 protected:
  JournalShape* make(int id, int x = 0, int y = 0) { return new JournalShape(id, journal_, x, y); }
  // S1, S2, S3 added in that order, all around (0, 0).
  void addThree(ShapeList& list) {
    list.add(s1_ = make(1));
    list.add(s2_ = make(2));
    list.add(s3_ = make(3));
  }
  Journal takeJournal() {
    Journal j = journal_;
    journal_.clear();
    return j;
  }
  // The journal shapes' drawing calls since the last look: "draw N" and "mark N".
  Journal drawn() {
    Journal calls;
    for (const std::string& line : take()) {
      const std::string id = line.substr(line.find_last_of(' ') + 1);
      calls.push_back((line.find("rectangle") != std::string::npos ? "draw " : "mark ") + id);
    }
    return calls;
  }

  Journal journal_;
  JournalShape* s1_ = nullptr;
  JournalShape* s2_ = nullptr;
  JournalShape* s3_ = nullptr;
};

TEST_F(ShapeListTest, DrawsOldestFirstWithTheMarkBeneathTheSelectedShape) {
  ShapeList list;
  addThree(list);
  list.drawAll(display(), nullptr);
  EXPECT_EQ(drawn(), (Journal{"draw 1", "draw 2", "draw 3"}));
  list.drawAll(display(), s2_);
  EXPECT_EQ(drawn(), (Journal{"draw 1", "mark 2", "draw 2", "draw 3"}));
  JournalShape outsider(9, journal_);
  list.drawAll(display(), &outsider);
  EXPECT_EQ(drawn(), (Journal{"draw 1", "draw 2", "draw 3"}));
}

// A redraw reaches each kind's own drawing, whichever kinds stand next to one another.
TEST_F(ShapeListTest, DrawingAllMakesEachKindsOwnCalls) {
  ShapeList list;
  for (int round = 0; round < 2; ++round) {
    for (const ShapeType& type : shapeTypes()) {
      Shape* shape = type.make({10, 20, 3, 1, 4, 1});
      shape->draw(display());
      list.add(shape);
    }
  }
  const Lines alone = take();
  list.drawAll(display(), nullptr);
  EXPECT_EQ(take(), alone);
}

TEST_F(ShapeListTest, PicksTheNewestShapeContainingThePoint) {
  ShapeList list;
  list.add(s1_ = make(1, 0, 0));
  list.add(s2_ = make(2, 15, 0));
  list.add(s3_ = make(3, 100, 100));
  mark();
  EXPECT_EQ(list.pick(12, 0, display()), s2_);  // in S1 and S2
  EXPECT_EQ(drawn(), Journal{"mark 2"});
  EXPECT_EQ(list.pick(-10, 0, display()), s1_);
  EXPECT_EQ(drawn(), Journal{"mark 1"});
  EXPECT_EQ(list.pick(50, 50, display()), nullptr);
  EXPECT_TRUE(drawn().empty());
  EXPECT_EQ(list.size(), 3);
}

TEST_F(ShapeListTest, RemovesHeadMiddleAndOldest) {
  {
    ShapeList list;
    addThree(list);
    list.remove(s2_);
    EXPECT_EQ(takeJournal(), Journal{"delete 2"});
    EXPECT_EQ(list.size(), 2);
    list.drawAll(display(), nullptr);
    EXPECT_EQ(drawn(), (Journal{"draw 1", "draw 3"}));
    list.remove(s3_);
    list.remove(s1_);
    EXPECT_EQ(takeJournal(), (Journal{"delete 3", "delete 1"}));
    EXPECT_TRUE(list.isEmpty());
    list.add(make(4));
    list.drawAll(display(), nullptr);
    EXPECT_EQ(drawn(), (Journal{"draw 4"}));
  }
  EXPECT_EQ(takeJournal(), Journal{"delete 4"});
}

TEST_F(ShapeListTest, RemovingAShapeNotInTheListChangesNothing) {
  ShapeList empty;
  JournalShape stranger(9, journal_);
  empty.remove(&stranger);
  ShapeList list;
  addThree(list);
  list.remove(&stranger);
  EXPECT_EQ(list.size(), 3);
  EXPECT_TRUE(takeJournal().empty());
}

TEST_F(ShapeListTest, ClearDestroysEveryShapeOnceAndWhitensTheArea) {
  ShapeList list;
  addThree(list);
  list.clear(display());
  EXPECT_EQ(takeJournal(), (Journal{"delete 3", "delete 2", "delete 1"}));
  EXPECT_TRUE(list.isEmpty());
  Lines got = take();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), "white rectangle with bounding box (-300,250) to (300,-250), filled");
  list.clear(display());
  EXPECT_EQ(take().back(), "white rectangle with bounding box (-300,250) to (300,-250), filled");
}

TEST_F(ShapeListTest, DestroyingTheListDestroysEachShapeOnce) {
  {
    ShapeList list;
    addThree(list);
  }
  EXPECT_EQ(takeJournal(), (Journal{"delete 3", "delete 2", "delete 1"}));
}

// Runs of shapes leave the list and come back in one step each; the ends of the list, on which
// runs are linked, stay right through every change.
TEST_F(ShapeListTest, RunsLeaveAndComeBackWithTheEndsKept) {
  ShapeList list, other;
  auto order = [&](const ShapeList& l) {
    Journal ids;
    l.forEachOldestFirst([&](Shape& s) { ids.push_back(std::to_string(s.getX())); });
    const ShapeChain all = l.all();
    EXPECT_EQ(all.count, static_cast<int>(ids.size()));
    EXPECT_EQ(all.oldest == nullptr ? "" : std::to_string(all.oldest->getX()),
              ids.empty() ? "" : ids.front());
    EXPECT_EQ(all.newest == nullptr ? "" : std::to_string(all.newest->getX()),
              ids.empty() ? "" : ids.back());
    return ids;
  };
  JournalShape* s[6];
  for (int i = 1; i <= 4; ++i) list.add(s[i] = make(i, i));
  list.unlink(s[3], {s[2], s[1], 2});
  EXPECT_EQ(order(list), (Journal{"3", "4"}));
  list.link(s[3], {s[2], s[1], 2});
  EXPECT_EQ(order(list), (Journal{"1", "2", "3", "4"}));
  list.remove(s[1]);
  EXPECT_EQ(order(list), (Journal{"2", "3", "4"}));
  const ShapeChain newest = list.newestShape();
  list.unlink(nullptr, newest);
  EXPECT_EQ(order(list), (Journal{"2", "3"}));
  other.add(s[5] = make(5, 5));
  EXPECT_EQ(other.addAll(list).count, 2);
  EXPECT_EQ(order(list), Journal{});
  EXPECT_EQ(order(other), (Journal{"5", "2", "3"}));
  list.link(nullptr, newest);
  EXPECT_EQ(order(list), Journal{"4"});
}

// A walk that recursed once per shape would overflow the stack long before a million.
TEST_F(ShapeListTest, AMillionShapesWriteAndReadBackInOrder) {
  constexpr int kShapes = 1'000'000;
  std::string file;
  {
    ShapeList list;
    for (int i = 0; i < kShapes; ++i) list.add(new Square(i, -i, 0, 0));
    std::ostringstream out;
    list.writeAll(out);
    file = out.str();
  }
  EXPECT_TRUE(
      file.starts_with("Square     0     0     0     0\nSquare     1     -1     0     0\n"));
  EXPECT_TRUE(file.ends_with("\nSquare     999999     -999999     0     0\n"));
  std::istringstream in(file);
  ShapeList loaded;
  EXPECT_EQ(readRecords(in, loaded), kShapes);
  EXPECT_EQ(loaded.size(), kShapes);
  std::ostringstream again;
  loaded.writeAll(again);
  EXPECT_TRUE(again.str() == file);
}

TEST_F(ShapeListTest, AMillionShapesDrawOldestFirst) {
  constexpr int kShapes = 1'000'000;
  ShapeList list;
  for (int i = 0; i < kShapes; ++i) list.add(new Square(i, 0, 0, 1));
  list.drawAll(display(), nullptr);
  const Lines got = take();
  ASSERT_EQ(got.size(), static_cast<std::size_t>(kShapes));
  // Line i is the call of shape i, the i-th added.
  for (int i : {0, 1, kShapes / 2, kShapes - 1}) {
    ShapeList alone;
    alone.add(new Square(i, 0, 0, 1));
    alone.drawAll(display(), nullptr);
    EXPECT_EQ(take(), Lines{got[static_cast<std::size_t>(i)]}) << i;
  }
}

}  // namespace
}  // namespace editor_test
