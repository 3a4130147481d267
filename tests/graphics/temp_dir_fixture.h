// A library test that runs in a fresh, empty working folder of its own, so that "ZR590.SCR"
// and drawing files never touch anything else.
#pragma once

#include "library_fixture.h"
#include "temp_folder.h"

namespace zr590::testing {

class TempDirLibraryTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    dir_.enter();
    open();
  }

  TempFolder dir_;
};

}  // namespace zr590::testing
