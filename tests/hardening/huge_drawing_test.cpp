// A drawing of a million shapes goes through LOAD, the drawing of every shape, SAVE and LOAD
// again, on a thread whose stack is far too small for anything that recursed once per shape,
// and the saved file equals the one loaded, byte for byte.
#include <pthread.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>

#include "colours.h"
#include "drawing_file.h"
#include "editor_fixture.h"
#include "shape_list.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace hardening_test {
namespace {

constexpr int kShapes = 1000000;
// Ample for one pass over the list; a walk that took a stack frame per shape would need more
// than a hundred times this.
constexpr std::size_t kStackBytes = 512 * 1024;

// Runs `work` on a new thread with a stack of kStackBytes and waits for it.
void onSmallStack(const std::function<void()>& work) {
  pthread_attr_t attr;
  ASSERT_EQ(pthread_attr_init(&attr), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attr, kStackBytes), 0);
  pthread_t thread;
  auto run = [](void* arg) -> void* {
    (*static_cast<const std::function<void()>*>(arg))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&work)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
}

// Every kind of record, in the writer's own layout, with negative values and colours and
// widths out of range among them.
std::string hugeDrawing() {
  static const char* const kOnePoint[] = {"Square", "Circle", "Triangle"};
  std::ostringstream out;
  for (int i = 0; i < kShapes; ++i) {
    const int x = i % 601 - 300, y = (i / 601) % 501 - 250;
    const int colour = i % 26 - 1, width = i % 3;
    if (i % 5 < 3) {
      writeRecord(out, kOnePoint[i % 5], {x, y, colour, width});
    } else {
      writeRecord(out, i % 5 == 3 ? "Rect" : "Oval", {x, y, x + i % 40, y - i % 30, colour, width});
    }
  }
  return out.str();
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class HugeDrawingTest : public editor_test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ZR590_logging(0);  // a log line per shape drawn would only cost time here
  }
  zr590::testing::TempFolder dir_;
};

TEST_F(HugeDrawingTest, AMillionShapesLoadDrawSaveAndLoadAgain) {
  const fs::path original = dir_ / "huge.txt", saved = dir_ / "saved.txt";
  const std::string text = hugeDrawing();
  std::ofstream(original, std::ios::binary) << text;

  int loadedCount = 0, reloadedCount = 0;
  onSmallStack([&] {
    ShapeList drawing;
    platform_.push_reply(original.string());
    drawing.load(display());
    loadedCount = drawing.size();
    platform_.push_reply(saved.string());
    drawing.save();

    ShapeList again;
    platform_.push_reply(saved.string());
    again.load(display());
    reloadedCount = again.size();
    // Both lists are destroyed here, on the small stack too.
  });

  EXPECT_EQ(loadedCount, kShapes);
  EXPECT_EQ(reloadedCount, kShapes);
  EXPECT_TRUE(contents(saved) == text) << "the saved drawing differs from the one loaded";
  // Three name prompts and no error.
  EXPECT_EQ(platform_.dialog_prompts().size(), 3u);
  // Every shape was drawn, oldest first: the file's last record, a filled oval of colour 12
  // from (236, -90) to (275, -99), lies on top at its centre (255, -94).
  EXPECT_EQ(platform_.picture_surface().pixel(300 + 255, 270 + 94), zr590::color_rgb[12]);
}

}  // namespace
}  // namespace hardening_test
