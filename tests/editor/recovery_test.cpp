// The recovery copy of an unsaved drawing: when it is written and removed, how a copy found at
// the start is offered, brought back and put aside. A fake clock stands for the idle second.
#include "recovery.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>

#include "editor_fixture.h"
#include "editor_loop.h"
#include "menu.h"
#include "palette.h"
#include "script.h"
#include "shape_list.h"
#include "temp_folder.h"

namespace editor_test {
namespace {

namespace fs = std::filesystem;
using Clock = Recovery::Clock;

constexpr int kCentre = 0;
constexpr int kSquareButtonY = 225;  // the first tool button, at x -275
constexpr int kSaveButtonY = -215;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RecoveryTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    start();
  }
  void TearDown() override {
    stop();
    EditorTest::TearDown();
  }
  // An editor run in the working folder "/work/here", as a new start would make it.
  void start() {
    recovery_ = std::make_unique<Recovery>(copy(), [this] { return now_; });
    editor_ = std::make_unique<Editor>(display(), shapes_, recovery_.get());
    editor_->start();
  }
  void stop() {
    if (recovery_) recovery_->finish(shapes_);
    editor_.reset();
    recovery_.reset();
    shapes_.removeAll();
  }
  RecoveryCopy copy() const { return RecoveryCopy(state_, "/work/here"); }
  void square() {
    editor_->handle(Mouse, -275, kSquareButtonY, 0);
    editor_->handle(Mouse, kCentre, kCentre, 0);
  }
  void key(char c) { editor_->handle(Key, 0, 0, c); }
  // Time passes, with a periodic event at its end.
  void wait(std::chrono::milliseconds time) {
    now_ += time;
    editor_->handle(Periodic, 0, 0, 0);
  }
  std::string drawing() const {
    std::ostringstream out;
    shapes_.writeAll(out);
    return out.str();
  }
  std::size_t filesInState() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(state_), fs::directory_iterator()));
  }

  zr590::testing::TempFolder state_;
  Clock::time_point now_{};
  ShapeList shapes_;
  std::unique_ptr<Recovery> recovery_;
  std::unique_ptr<Editor> editor_;
};

// Written only once the drawing has been idle for a second after a change, then follows it.
TEST_F(RecoveryTest, TheCopyIsWrittenAfterAnIdleSecond) {
  square();
  wait(Recovery::kIdleBeforeWriting / 2);
  recovery_->waitForWriter();
  EXPECT_FALSE(fs::exists(copy().file()));
  wait(Recovery::kIdleBeforeWriting / 2);
  recovery_->waitForWriter();
  EXPECT_EQ(contents(copy().file()), drawing());
  square();
  stop();  // the end writes what the idle second did not
  const std::string kept = contents(copy().file());
  EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 2);
}

// Saving removes the copy; so does 'c', emptying the drawing by hand; an undo that empties it
// keeps the copy for the next start.
TEST_F(RecoveryTest, SavingOrClearingRemovesTheCopy) {
  const fs::path saved = state_ / "saved.txt";
  struct Case {
    std::function<void()> act;
    bool kept;
  } cases[] = {
      {[&] {
         platform_.push_reply(saved.string());
         editor_->handle(Mouse, -275, kSaveButtonY, 0);
       },
       false},
      {[&] { key('c'); }, false},
      {[&] { key('z'); }, true},
  };
  for (const Case& c : cases) {
    square();
    wait(Recovery::kIdleBeforeWriting);
    recovery_->waitForWriter();
    ASSERT_TRUE(fs::exists(copy().file()));
    c.act();
    stop();
    EXPECT_EQ(fs::exists(copy().file()), c.kept) << &c - cases;
    start();
  }
}

// A copy found at the start is offered in the text window; 'y' adds its shapes as one step,
// which 'z' takes back; the copy stays until something else changes.
TEST_F(RecoveryTest, ACopyFoundAtTheStartComesBackWithRedo) {
  square();
  square();
  stop();
  const std::string kept = contents(copy().file());
  mark();
  start();
  const Lines shown = lines();
  EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                          [](const std::string& line) {
                            return line.starts_with("Unsaved drawing of ") &&
                                   line.ends_with(" kept: press y to bring it back");
                          }),
            1);
  EXPECT_TRUE(drawing().empty());
  key('y');
  EXPECT_EQ(drawing(), kept);
  key('z');
  EXPECT_TRUE(drawing().empty());
  key('y');
  EXPECT_EQ(drawing(), kept);
  EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 2);
}

// Any other change first puts the offered copy aside under a dated name; five are kept.
TEST_F(RecoveryTest, ANewDrawingPutsTheOldCopyAside) {
  for (int run = 0; run < RecoveryCopy::kAsideKept + 2; ++run) {
    square();
    stop();
    // Each copy a minute older than the next, so that their dated names differ.
    fs::last_write_time(copy().file(),
                        fs::file_time_type::clock::now() - std::chrono::minutes(60 - run));
    start();
  }
  EXPECT_EQ(filesInState(), static_cast<std::size_t>(RecoveryCopy::kAsideKept) + 1);
  EXPECT_FALSE(recovery_->offer().empty());
}

// A 'y' played from the script is a redo like any other, never the recovery copy.
TEST_F(RecoveryTest, AScriptPlayedBackNeverBringsTheCopyBack) {
  square();
  stop();
  const fs::path before = fs::current_path();
  fs::current_path(state_);
  std::ofstream(zr590::kScriptFileName) << "      K    121\n";
  start();
  zr590::perform_command(zr590::CmdPlaybackScript);
  int x = 0, y = 0;
  char c = 0;
  const int kind = display().nextEvent(x, y, c);
  ASSERT_EQ(kind, Key);
  editor_->handle(kind, x, y, c);
  EXPECT_TRUE(drawing().empty());
  EXPECT_FALSE(recovery_->offer().empty());
  fs::current_path(before);
}

TEST(RecoveryCopyTest, EachWorkingFolderHasItsOwnBoundedName) {
  const fs::path long_path = "/" + std::string(300, 'a');
  const fs::path folders[] = {"/a/b", "/a%2Fb", "/a_b", "C:\\a", long_path, long_path / "b"};
  std::set<fs::path> names;
  for (const fs::path& folder : folders) {
    const fs::path name = RecoveryCopy("/state", folder).file().filename();
    EXPECT_LE(name.string().size(), 200u) << folder;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), std::size(folders));
}

}  // namespace
}  // namespace editor_test
