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

#include "differential_platform.h"
#include "editor_loop.h"
#include "library_state.h"

namespace zr590::testing {
namespace {

using platform::MessageKind;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_library_state();
    platform::set_current(&differential_);
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
  DifferentialPlatform differential_{headless_};
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

TEST_F(FrameTest, LibraryCallsShowWhatDrawingEachAtOnceShows) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 random(seed);
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    Display display;
    std::vector<Call> scene;
    for (int n = in(0, 40); n > 0; --n) scene.push_back(random_call(random));
    for (int frame = 0; frame < 60; ++frame) {
      // Frames mostly repeat the last one with a change or two, as an editor's do.
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
        ZR590_clear();  // the background alone, no filled area
      } else if (how != 1) {
        display.clear(in(0, 9) == 0 ? in(0, 23) : 1);
      }  // else: drawn on top of the last frame, no clear at all
      const std::size_t shown_early = in(0, 5) == 0 ? scene.size() / 2 : scene.size();
      for (std::size_t i = 0; i < scene.size(); ++i) {
        if (i == shown_early) ZR590_flush();  // a copy in the middle of a frame
        scene[i].draw();
      }
      ZR590_flush();
      ASSERT_EQ(differential_.window_difference(), "") << "seed " << seed << " frame " << frame;
      if (in(0, 3) == 0) {
        ASSERT_EQ(differential_.picture_difference(), "") << "seed " << seed << " frame " << frame;
      }
    }
    // A program that never clears: its calls pile up on the picture.
    for (int n = 0; n < 2500; ++n) random_call(random).draw();
    ZR590_flush();
    ASSERT_EQ(differential_.window_difference(), "") << "seed " << seed << " without clearing";
  }
}

TEST_F(FrameTest, EditorSessionsShowWhatDrawingEachCallAtOnceShows) {
  std::string difference;
  differential_.after_message = [&] {
    if (difference.empty()) difference = differential_.window_difference();
  };
  for (unsigned seed = 1; seed <= 16 && difference.empty(); ++seed) {
    std::mt19937 random(seed);
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int n = 0; n < 150; ++n) {
      const int what = in(0, 19);
      auto send = [&](MessageKind kind, int a, int b = 0) {
        headless_.push_message({platform::Window::Graphics, kind, a, b});
      };
      if (what < 5) {
        send(MessageKind::LButtonDown, in(0, 60), in(0, 539));  // near the tools
      } else if (what < 7) {
        send(MessageKind::LButtonDown, in(0, 600), in(0, 60));  // near the colours
      } else if (what < 15) {
        send(MessageKind::LButtonDown, in(0, 600), in(0, 539));
      } else if (what < 16) {
        send(MessageKind::Char, in(0, 3) == 0 ? 'c' : in(32, 126));
      } else {
        send(MessageKind::Timer, 2);
      }
    }
    headless_.push_reply("drawing.txt");
    headless_.push_reply("drawing.txt");
    run_editor();
    if (difference.empty()) difference = differential_.picture_difference();
    reset_library_state();
    difference += difference.empty() ? "" : " in session " + std::to_string(seed);
  }
  EXPECT_EQ(difference, "");
}

}  // namespace
}  // namespace zr590::testing
