// A fresh library on the headless backend for each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <zr590/zr590.h>

#include "library_state.h"
#include "platform/headless/headless_platform.h"
#include "text_log.h"

namespace zr590::testing {

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_library_state();
    platform::set_current(&platform_);
  }
  void TearDown() override {
    reset_library_state();
    platform::set_current(nullptr);
  }

  // Opens the library as the display object does, with logging off and a white picture.
  void open(bool logging = false) {
    ZR590_open(nullptr, nullptr, nullptr, 1);
    ZR590_logging(logging ? 1 : 0);
    fill_background();
  }

  void fill_background();

  std::vector<std::string> lines() const { return text_log_lines(); }
  void clear_lines() { text_log_reset(); }

  platform::Rgb at(int x, int y) { return platform_.picture_surface().pixel(x, y); }
  // Picture pixel of library point (x, y), with the headless centre (300, 270).
  platform::Rgb at_point(int x, int y) { return at(300 + x, 270 - y); }

  int await(int* x = nullptr, int* y = nullptr, char* key = nullptr) {
    int ix, iy;
    char ik;
    int kind = ZR590_await_event(&ix, &iy, &ik);
    if (x) *x = ix;
    if (y) *y = iy;
    if (key) *key = ik;
    return kind;
  }

  void send(platform::MessageKind kind, int a = 0, int b = 0) {
    platform_.push_message({platform::Window::Graphics, kind, a, b});
  }
  void click(int px, int py) { send(platform::MessageKind::LButtonDown, px, py); }
  void tick() { send(platform::MessageKind::Timer, 2); }
  void command(int id) { send(platform::MessageKind::Command, id); }
  void ctrl(char letter) {
    send(platform::MessageKind::KeyDown, 17);
    send(platform::MessageKind::KeyDown, letter);
    send(platform::MessageKind::KeyUp, letter);
    send(platform::MessageKind::KeyUp, 17);
  }

  platform::HeadlessPlatform platform_;
};

inline constexpr platform::Rgb kWhite{255, 255, 255};
inline constexpr platform::Rgb kBlack{0, 0, 0};
inline constexpr platform::Rgb kRed{255, 0, 0};
inline constexpr platform::Rgb kBlue{0, 0, 255};

}  // namespace zr590::testing
