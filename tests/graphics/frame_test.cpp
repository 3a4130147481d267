// Retained frames against drawing every command at once: random library call sequences and
// random editor sessions (frame_sessions.h), compared after every frame and every message.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <random>

#include "frame_check.h"
#include "frame_sessions.h"
#include "library_state.h"
#include "temp_folder.h"

namespace zr590::testing {
namespace {

class Seeded final : public Choices {
 public:
  explicit Seeded(unsigned seed) : random_(seed) {}
  int in(int lo, int hi) override { return std::uniform_int_distribution<int>(lo, hi)(random_); }

 private:
  std::mt19937 random_;
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_library_state();
    platform::set_current(&headless_);
    dir_.enter();  // the editor's SAVE writes here
  }
  void TearDown() override {
    reset_library_state();
    platform::set_current(nullptr);
  }

  platform::HeadlessPlatform headless_;
  FrameCheck check_{headless_};
  TempFolder dir_;
};

TEST_F(FrameTest, LibraryCallsShowWhatDrawingEachAtOnceShows) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    ASSERT_EQ(check_.run([&] {
      Seeded choose(seed);
      library_session(choose, check_, headless_);
    }),
              "")
        << "seed " << seed;
  }
}

TEST_F(FrameTest, EditorSessionsShowWhatDrawingEachCallAtOnceShows) {
  for (unsigned seed = 1; seed <= 16; ++seed) {
    ASSERT_EQ(check_.run([&] {
      Seeded choose(seed);
      editor_session(choose, 150, headless_);
    }),
              "")
        << "session " << seed;
  }
}

}  // namespace
}  // namespace zr590::testing
