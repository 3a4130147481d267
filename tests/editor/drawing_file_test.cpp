// Saving and loading drawings: the exact record bytes, reading any whitespace layout, records
// that stop short, and saves that fail without harming the file already there.
#include "drawing_file.h"

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "editor_fixture.h"
#include "one_point_shapes.h"
#include "shape_list.h"
#include "temp_folder.h"
#include "two_point_shapes.h"

namespace fs = std::filesystem;

namespace editor_test {
namespace {

constexpr const char* kSavePrompt = "Enter the name of the file you would like to save to:";
constexpr const char* kLoadPrompt = "Enter the name of the file you would like to open:";
constexpr const char* kError = "Error opening file. Press Enter to continue.";

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void put(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string recordsOf(const ShapeList& list) {
  std::ostringstream out;
  list.writeAll(out);
  return out.str();
}

// The records read from `text`, written back one per line.
std::string reread(const std::string& text) {
  std::istringstream in(text);
  ShapeList list;
  readRecords(in, list);
  return recordsOf(list);
}

class DrawingFileTest : public EditorTest {
 protected:
  void save(ShapeList& list, const std::string& name) {
    platform_.push_reply(name);
    list.save();
  }
  void load(ShapeList& list, const std::string& name) {
    platform_.push_reply(name);
    list.load(display());
  }
  std::vector<std::string> prompts() const { return platform_.dialog_prompts(); }
  std::size_t filesInDir() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  zr590::testing::TempFolder dir_;
};

TEST_F(DrawingFileTest, SaveWritesOneRecordPerShapeOldestFirst) {
  ShapeList list;
  list.add(new Circle(-5, 7, 3, 0));
  list.add(new Rect(-50, 40, 50, -40, 13, 1));
  list.add(new Triangle(-120, -45, 99, 0));
  list.add(new Oval(10, 20, -30, 40, 0, 1));
  list.add(new Square(0, 0, 0, 0));
  save(list, (dir_ / "d.txt").string());
  EXPECT_EQ(contents(dir_ / "d.txt"),
            "Circle     -5     7     3     0\n"
            "Rect     -50     40     50     -40     13     1\n"
            "Triangle     -120     -45     99     0\n"
            "Oval     10     20     -30     40     0     1\n"
            "Square     0     0     0     0\n");
  EXPECT_EQ(prompts(), std::vector<std::string>{kSavePrompt});
  EXPECT_EQ(filesInDir(), 1u);  // no temporary file left behind
}

TEST_F(DrawingFileTest, AnEmptyDrawingSavesAnEmptyFile) {
  ShapeList list;
  put(dir_ / "d.txt", "Square     1     1     1     1\n");
  save(list, (dir_ / "d.txt").string());
  EXPECT_TRUE(fs::exists(dir_ / "d.txt"));
  EXPECT_EQ(fs::file_size(dir_ / "d.txt"), 0u);
}

TEST_F(DrawingFileTest, ReplacingAFileKeepsItsPermissions) {
  ShapeList list;
  list.add(new Square(1, 2, 3, 4));
  fs::path path = dir_ / "d.txt";
  put(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  save(list, path.string());
  EXPECT_EQ(contents(path), "Square     1     2     3     4\n");
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The temporary file must not need a longer name than the target's. (The dialog returns at
// most 255 characters, so the name is given relative to the folder.)
TEST_F(DrawingFileTest, ANameOfTheLongestLengthSaves) {
  ShapeList list;
  list.add(new Square(1, 2, 3, 4));
  const std::string name(255, 'd');
  const fs::path before = fs::current_path();
  fs::current_path(dir_);
  save(list, name);
  fs::current_path(before);
  EXPECT_EQ(contents(dir_ / name), "Square     1     2     3     4\n");
  EXPECT_EQ(prompts(), std::vector<std::string>{kSavePrompt});
}

TEST_F(DrawingFileTest, RoundTripKeepsValuesAndStackingOrder) {
  ShapeList list;
  list.add(new Circle(0, 0, 4, 0));
  list.add(new Rect(-20, 20, 20, -20, 5, 1));    // clicked upper left to lower right
  list.add(new Oval(30, -30, -30, 30, 99, -2));  // clicked lower right to upper left
  save(list, (dir_ / "d.txt").string());

  ShapeList loaded;
  mark();
  load(loaded, (dir_ / "d.txt").string());
  EXPECT_EQ(prompts().back(), kLoadPrompt);
  EXPECT_EQ(recordsOf(loaded), recordsOf(list));
  // The newest shape is on top: drawn last, picked first.
  Lines drawn = take();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), "red oval with bounding box (-30,30) to (30,-30), line width 2");
  Shape* picked = loaded.pick(0, 0, display());
  ASSERT_NE(picked, nullptr);
  std::ostringstream out;
  picked->write(out);
  EXPECT_EQ(out.str(), "Oval     30     -30     -30     30     99     -2\n");
}

TEST_F(DrawingFileTest, AnyWhitespaceSeparatesAndLineEndsDoNotMatter) {
  const std::string oneLine =
      "Rect     1     2     3     4     5     6\nCircle     -1     -2     3     0\n";
  EXPECT_EQ(reread("Rect\n1\t2\r\n  3 4\n\n5 6 Circle -1\n-2\r\n3\v0"), oneLine);
  EXPECT_EQ(
      reread("Rect     1     2     3     4     5     6\r\nCircle     -1     -2     3     0\r\n"),
      oneLine);
  EXPECT_EQ(reread("+7 Square +1 -0 00012 0"), "Square     1     0     12     0\n");
}

TEST_F(DrawingFileTest, TypeWordsAreCaseSensitiveAndOtherWordsAreSkipped) {
  EXPECT_EQ(reread("square 1 2 3 4\nSQUARE 5 6 7 8\nSquare 9 10 11 12\n"),
            "Square     9     10     11     12\n");
  EXPECT_EQ(reread("# a comment Circle 1 2 3 4"), "Circle     1     2     3     4\n");
  EXPECT_EQ(reread(""), "");
  EXPECT_EQ(reread(" \n\t\r\n"), "");
}

// A record that stops short is dropped, reading stops there, and the records before it stay.
TEST_F(DrawingFileTest, AnIncompleteRecordEndsTheReading) {
  EXPECT_EQ(reread("Square 1 2 3 4\nCircle 5 6"), "Square     1     2     3     4\n");
  EXPECT_EQ(reread("Square 1 2 3 4\nRect 1 2 x 4 5 6\nOval 1 1 1 1 1 1\n"),
            "Square     1     2     3     4\n");
  EXPECT_EQ(reread("Oval 1 2 3 4 5 Square 1 1 1 1"), "");
  // A number ends where its digits end; the rest is the next word, skipped like any other.
  EXPECT_EQ(reread("Triangle 1 2 3 4.5 Circle 1 1 1 1"),
            "Triangle     1     2     3     4\nCircle     1     1     1     1\n");
}

TEST_F(DrawingFileTest, NumbersBeyond32BitsEndTheReading) {
  EXPECT_EQ(reread("Square -2147483648 2147483647 0 0\nCircle 2147483648 0 0 0\nSquare 1 1 1 1"),
            "Square     -2147483648     2147483647     0     0\n");
  EXPECT_EQ(reread("Circle 1 1 1 -2147483649"), "");
}

// The target cannot be replaced (it is a folder): the temporary file goes, the error shows.
TEST_F(DrawingFileTest, AFailedReplaceLeavesNoTemporaryFile) {
  ShapeList list;
  list.add(new Square(1, 1, 1, 1));
  fs::create_directory(dir_ / "d.txt");
  put(dir_ / "d.txt" / "inside", "x");
  save(list, (dir_ / "d.txt").string());
  EXPECT_EQ(prompts().back(), kError);
  EXPECT_EQ(filesInDir(), 1u);
  EXPECT_EQ(contents(dir_ / "d.txt" / "inside"), "x");
}

// A write that fails half way (here: the file size limit, which holds even for root) must not
// cost the user the drawing saved before.
TEST_F(DrawingFileTest, AFailedWriteKeepsTheOldFile) {
  ShapeList list;
  for (int i = 0; i < 2000; ++i) list.add(new Rect(i, i, -i, -i, 5, 1));
  const fs::path path = dir_ / "d.txt";
  put(path, "Circle     1     2     3     4\n");

  struct rlimit old {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  save(list, path.string());
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(contents(path), "Circle     1     2     3     4\n");
  EXPECT_EQ(prompts(), (std::vector<std::string>{kSavePrompt, kError}));
  EXPECT_EQ(filesInDir(), 1u);

  // With the limit lifted the same save succeeds.
  save(list, path.string());
  EXPECT_GT(fs::file_size(path), 4096u);
  EXPECT_EQ(filesInDir(), 1u);
}

}  // namespace
}  // namespace editor_test
