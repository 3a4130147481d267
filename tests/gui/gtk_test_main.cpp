// GTK needs a display before any widget exists; run these tests under with_xvfb.sh.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "gtk_backend_tests: no display; run under with_xvfb.sh\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
