// A display on the headless backend for each test, with logging on, so that every drawing
// call shows up as one text-window line holding the values it was given.
#pragma once

#include <gtest/gtest.h>
#include <zr590/display.h>
#include <zr590/zr590.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "library_state.h"
#include "platform/headless/headless_platform.h"

namespace editor_test {

using Lines = std::vector<std::string>;

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zr590::reset_library_state();
    zr590::platform::set_current(&platform_);
    display_ = std::make_unique<Display>();
    ZR590_logging(1);
    mark();
  }
  void TearDown() override {
    display_.reset();
    zr590::reset_library_state();
    zr590::platform::set_current(nullptr);
  }

  Display& display() { return *display_; }
  // Forget the lines written so far.
  void mark() { seen_ = platform_.text_lines().size(); }
  // The text-window lines written since the last mark.
  Lines lines() const {
    const auto& all = platform_.text_lines();
    return Lines(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
  }
  // Same, and mark.
  Lines take() {
    Lines result = lines();
    mark();
    return result;
  }

  zr590::platform::HeadlessPlatform platform_;
  std::unique_ptr<Display> display_;
  std::size_t seen_ = 0;
};

}  // namespace editor_test
