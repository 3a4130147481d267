// A window larger than its client area: the factor it shows the client area enlarged by, and
// where a click lands.
#include <gtest/gtest.h>

#include "platform/window_scale.h"

namespace zr590::platform {
namespace {

constexpr Extent kClient{100, 80};

TEST(WindowScale, LargestWholeFactorThatFitsBothWays) {
  const struct {
    Extent area;
    int scale;
  } cases[] = {{{100, 80}, 1}, {{199, 500}, 1}, {{200, 160}, 2}, {{500, 159}, 1},
               {{350, 400}, 3}, {{50, 40}, 1},  {{1000, 800}, 10}};
  for (const auto& c : cases) {
    EXPECT_EQ(whole_scale(c.area, kClient), c.scale) << c.area.width << " x " << c.area.height;
  }
}

TEST(WindowScale, ClicksLandOnThePixelUnderThePointerAndNeverOutside) {
  EXPECT_EQ(client_point(7.9, 0, 1, kClient)->x, 7);
  const auto at = client_point(199.5, 159.9, 2, kClient);
  ASSERT_TRUE(at);
  EXPECT_EQ(at->x, 99);
  EXPECT_EQ(at->y, 79);
  EXPECT_FALSE(client_point(200, 10, 2, kClient));
  EXPECT_FALSE(client_point(10, 160, 2, kClient));
  EXPECT_FALSE(client_point(-0.5, 10, 1, kClient));
}

}  // namespace
}  // namespace zr590::platform
