// Retained frames against drawing every call at once: random library call sequences and
// random editor sessions, compared pixel for pixel after every step.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <zr590/display.h>
#include <zr590/zr590.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "editor_loop.h"
#include "frame_check.h"
#include "library_state.h"

namespace zr590::testing {
namespace {

using platform::MessageKind;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_library_state();
    platform::set_current(&headless_);
    char pattern[] = "/tmp/zr590-frames-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);  // the editor's SAVE writes here
  }
  void TearDown() override {
    reset_library_state();
    platform::set_current(nullptr);
    std::filesystem::current_path(old_dir_);
    std::filesystem::remove_all(dir_);
  }

  platform::HeadlessPlatform headless_;
  FrameCheck check_{headless_};
  std::filesystem::path dir_, old_dir_;
};

// One drawing call of a scene, with arguments good and bad.
struct Call {
  int kind, colour, x1, y1, x2, y2, x3, y3, width;
  std::string text;

  void draw() const {
    switch (kind) {
      case 0:
        ZR590_rectangle(colour, x1, y1, x2, y2, width);
        break;
      case 1:
        ZR590_oval(colour, x1, y1, x2, y2, width);
        break;
      case 2:
        ZR590_circle(colour, x1, y1, x2);
        break;
      case 3:
        ZR590_triangle(colour, x1, y1, x2, y2, x3, y3, width);
        break;
      case 4:
        ZR590_line(colour, x1, y1, x2, y2, width);
        break;
      default:
        ZR590_text(colour, x1, y1, width, "%s", text.c_str());
        break;
    }
  }
};

Call random_call(std::mt19937& random) {
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const int reach = in(0, 20) == 0 ? 5000000 : 330;
  auto at = [&] { return in(-reach, reach); };
  const char* texts[] = {"PICK", "two\nlines", "caf\xe9", "j_q|W", "\n", "%d%%"};
  Call call{in(0, 5), in(0, 20) == 0 ? in(-3, 30) : in(0, 23), at(), at(), 0, 0, 0, 0, 0, ""};
  call.x2 = call.x1 + in(-40, 40);
  call.y2 = call.y1 + in(-40, 40);
  call.x3 = call.x1 + in(-40, 40);
  call.y3 = call.y1 + in(-40, 40);
  call.width = in(0, 9) < 7 ? in(0, 1) : in(-3, 7);
  if (call.kind == 2) call.x2 = in(-3, 30);  // the radius
  if (call.kind == 5) {
    call.text = texts[in(0, 5)];
    call.width = in(-5, 40);  // the point size
  }
  return call;
}

// Frames mostly repeat the last one with a change or two, as an editor's do; some begin with
// the background alone, some are drawn on top with no clear, some are copied half drawn, and a
// program that never clears piles its calls up on the picture. Now and then the window changes
// size, which moves the drawing origin.
void library_session(unsigned seed, FrameCheck& check, platform::HeadlessPlatform& headless) {
  headless.resize_client(platform::kPictureWidth, platform::kPictureHeight);
  std::mt19937 random(seed);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  Display display;
  std::vector<Call> scene;
  for (int n = in(0, 40); n > 0; --n) scene.push_back(random_call(random));
  for (int frame = 0; frame < 60; ++frame) {
    const int change = in(0, 9);
    if (change < 4 && !scene.empty()) {
      scene[static_cast<std::size_t>(in(0, static_cast<int>(scene.size()) - 1))] =
          random_call(random);
    } else if (change < 6) {
      scene.insert(scene.begin() + in(0, static_cast<int>(scene.size())), random_call(random));
    } else if (change < 8 && !scene.empty()) {
      scene.erase(scene.begin() + in(0, static_cast<int>(scene.size()) - 1));
    } else if (change == 8) {
      scene.clear();
      for (int n = in(0, 40); n > 0; --n) scene.push_back(random_call(random));
    }
    const int how = in(0, 9);
    if (how == 0) {
      ZR590_clear();
    } else if (how != 1) {
      display.clear(in(0, 9) == 0 ? in(0, 23) : 1);
    }
    const std::size_t shown_early = in(0, 5) == 0 ? scene.size() / 2 : scene.size();
    const std::size_t resized = in(0, 15) == 0 ? in(0, static_cast<int>(scene.size())) : ~0u;
    for (std::size_t i = 0; i < scene.size(); ++i) {
      if (i == shown_early) ZR590_flush();
      if (i == resized) headless.resize_client(in(500, 700), in(400, 600));
      scene[i].draw();
    }
    ZR590_flush();
    check.check_window();
    if (in(0, 3) == 0) check.check_picture();
  }
  for (int n = 0; n < 2500; ++n) random_call(random).draw();
  ZR590_flush();
  check.check_window();
}

TEST_F(FrameTest, LibraryCallsShowWhatDrawingEachAtOnceShows) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    ASSERT_EQ(check_.run([&] { library_session(seed, check_, headless_); }), "") << "seed " << seed;
  }
}

// Clicks mostly near the tools and colours, some keys (the 'c' that clears the drawing among
// them) and ticks; SAVE and LOAD get a file name.
void editor_session(unsigned seed, platform::HeadlessPlatform& headless) {
  std::filesystem::remove("drawing.txt");  // each run starts with the same files
  std::mt19937 random(seed);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  auto send = [&](MessageKind kind, int a, int b = 0) {
    headless.push_message({platform::Window::Graphics, kind, a, b});
  };
  for (int n = 0; n < 150; ++n) {
    const int what = in(0, 19);
    if (what < 5) {
      send(MessageKind::LButtonDown, in(0, 60), in(0, 539));
    } else if (what < 7) {
      send(MessageKind::LButtonDown, in(0, 600), in(0, 60));
    } else if (what < 15) {
      send(MessageKind::LButtonDown, in(0, 600), in(0, 539));
    } else if (what < 16) {
      send(MessageKind::Char, in(0, 3) == 0 ? 'c' : in(32, 126));
    } else {
      send(MessageKind::Timer, 2);
    }
  }
  headless.push_reply("drawing.txt");
  headless.push_reply("drawing.txt");
  run_editor();
}

TEST_F(FrameTest, EditorSessionsShowWhatDrawingEachCallAtOnceShows) {
  for (unsigned seed = 1; seed <= 16; ++seed) {
    ASSERT_EQ(check_.run([&] { editor_session(seed, headless_); }), "") << "session " << seed;
  }
}

}  // namespace
}  // namespace zr590::testing
