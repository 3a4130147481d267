// Drawing files that no SAVE wrote, and SAVE to names that are not plain files: a 2 MB line, a
// 40-digit number, NUL bytes; a device, a link, a link to nothing. Whitespace-only files and
// numbers just beyond 32 bits are in the editor's own drawing-file tests.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "drawing_file.h"
#include "editor_fixture.h"
#include "one_point_shapes.h"
#include "shape_list.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace hardening_test {
namespace {

using namespace std::string_literals;

constexpr const char* kError = "Error opening file. Press Enter to continue.";

// The records read from `text`, written back one per line.
std::string reread(const std::string& text) {
  std::istringstream in(text);
  ShapeList list;
  readRecords(in, list);
  std::ostringstream out;
  list.writeAll(out);
  return out.str();
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A word longer than any field (64 bytes, leading zeros too) is bad and ends the reading there,
// so no word is read beyond its 65th byte; the shapes before it stay.
TEST(HostileDrawingFileTest, AWordLongerThan64BytesEndsTheReading) {
  for (const std::string& word :
       {std::string(2 << 20, 'w'), std::string(65, 'w'), std::string(64, '0') + "7"}) {
    EXPECT_EQ(reread("Circle 1 2 3 0 " + word + " Square 5 6 7 0\n"),
              "Circle     1     2     3     0\n");
    EXPECT_EQ(reread("Circle 1 2 3 " + word + " Square 5 6 7 0\n"), "");
  }
  EXPECT_EQ(reread("Circle 1 2 3 " + std::string(63, '0') + "7\n"),
            "Circle     1     2     3     7\n");
}

TEST(HostileDrawingFileTest, A2MegabyteLineIsReadLikeAnyOther) {
  // 2 MB of records on one line: every one of them is read.
  std::string line;
  while (line.size() < (2u << 20)) line += "Rect 1 -2 3 -4 5 0 ";
  std::istringstream in(line + "\n");
  ShapeList list;
  EXPECT_EQ(readRecords(in, list), static_cast<int>(line.size() / 19));
}

TEST(HostileDrawingFileTest, AFortyDigitNumberEndsTheReadingAndDropsItsRecord) {
  const std::string forty(40, '7');
  EXPECT_EQ(reread("Square 1 2 3 4\nSquare " + forty + " 2 3 4\nCircle 5 5 5 0\n"),
            "Square     1     2     3     4\n");
  EXPECT_EQ(reread("Oval 1 2 3 4 5 -" + forty + "\nCircle 5 5 5 0\n"), "");
}

TEST(HostileDrawingFileTest, ANulByteIsPartOfAWordAndEndsANumber) {
  // "\0Circle" is no type word: it is skipped, then its four numbers one by one.
  EXPECT_EQ(reread("Square 1 2 3 4\n\0Circle 5 6 7 0\nOval 1 2 3 4 5 0\n"s),
            "Square     1     2     3     4\nOval     1     2     3     4     5     0\n");
  // A NUL straight after a number ends it; the next field then fails and the reading ends.
  EXPECT_EQ(reread("Circle 9 9 9 9 Square 1 2\0 3 4\nCircle 5 6 7 0\n"s),
            "Circle     9     9     9     9\n");
}

class HostileSaveTest : public editor_test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    drawing_.add(new Square(1, 2, 3, 4));
  }
  void save(const fs::path& name) {
    platform_.push_reply(name.string());
    drawing_.save();
  }
  bool errorShown() const {
    const auto& prompts = platform_.dialog_prompts();
    return !prompts.empty() && prompts.back() == kError;
  }
  std::size_t filesInDir() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  // A character device like /dev/full or /dev/null, made here so that a fault could harm no
  // device of the system. Needs root; false otherwise.
  bool makeDevice(const fs::path& path, unsigned minor) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0;
  }

  zr590::testing::TempFolder dir_;
  ShapeList drawing_;
};

// A device (here made like /dev/full and /dev/null, so that a fault could harm no device of
// the system) is no drawing file: SAVE and LOAD refuse it, and it stays a device.
TEST_F(HostileSaveTest, ADeviceIsRefusedAndStaysADevice) {
  for (unsigned minor : {7u, 3u, 5u}) {  // full, null, zero
    const fs::path device = dir_ / std::to_string(minor);
    if (!makeDevice(device, minor)) GTEST_SKIP() << "making a device needs root";
    save(device);
    EXPECT_TRUE(errorShown());
    platform_.push_reply(device.string());
    drawing_.load(display());
    EXPECT_TRUE(errorShown());
    EXPECT_TRUE(fs::is_character_file(device));
  }
  EXPECT_EQ(filesInDir(), 3u);
}

// A link is followed, as opening the name follows it: the file it names gets the drawing and
// the link stays a link.
TEST_F(HostileSaveTest, ThroughALinkTheLinkedFileIsReplaced) {
  fs::create_directory(dir_ / "real");
  std::ofstream(dir_ / "real" / "d.txt") << "old";
  fs::create_symlink("real/d.txt", dir_ / "link.txt");
  save(dir_ / "link.txt");
  EXPECT_FALSE(errorShown());
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.txt"));
  EXPECT_EQ(contents(dir_ / "real" / "d.txt"), "Square     1     2     3     4\n");
  EXPECT_EQ(filesInDir(), 2u);
}

TEST_F(HostileSaveTest, ThroughALinkToNothingTheNamedFileIsCreated) {
  fs::create_symlink("made.txt", dir_ / "link.txt");
  save(dir_ / "link.txt");
  EXPECT_FALSE(errorShown());
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.txt"));
  EXPECT_EQ(contents(dir_ / "made.txt"), "Square     1     2     3     4\n");
}

}  // namespace
}  // namespace hardening_test
