// A library test that runs in a fresh, empty working folder of its own, so that "ZR590.SCR"
// and drawing files never touch anything else.
#pragma once

#include <stdlib.h>

#include <filesystem>

#include "library_fixture.h"

namespace zr590::testing {

class TempDirLibraryTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    char pattern[] = "/tmp/zr590-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    open();
  }
  void TearDown() override {
    LibraryTest::TearDown();
    std::filesystem::current_path(old_dir_);
    std::filesystem::remove_all(dir_);
  }

  std::filesystem::path dir_, old_dir_;
};

}  // namespace zr590::testing
