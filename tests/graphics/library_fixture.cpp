#include "library_fixture.h"

#include "renderer.h"

namespace zr590::testing {

void LibraryTest::fill_background() {
  zr590::fill_background();
  text_log_reset();
}

}  // namespace zr590::testing
