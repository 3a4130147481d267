// What the page copies to the canvas: the first picture whole, then only the box of what
// changed, and nothing for a picture that did not change.
#include "platform/web/shown_frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace zr590::platform::web {
namespace {

TEST(ShownFrameTest, OnlyWhatChangedIsCopied) {
  constexpr int kWidth = 7, kHeight = 5;
  std::vector<std::uint8_t> picture(kWidth * kHeight * 4, 255);
  ShownFrame shown;
  auto update = [&] {
    const Box box = shown.update(picture.data(), kWidth, kHeight);
    return std::vector<int>{box.left, box.top, box.right, box.bottom};
  };
  EXPECT_EQ(update(), (std::vector<int>{0, 0, kWidth, kHeight}));
  EXPECT_EQ(update(), (std::vector<int>{0, 0, 0, 0}));
  // One byte of pixel (1, 3) and one of pixel (5, 1): the box around both.
  picture[(3 * kWidth + 1) * 4 + 2] = 0;
  picture[(1 * kWidth + 5) * 4] = 7;
  EXPECT_EQ(update(), (std::vector<int>{1, 1, 6, 4}));
  EXPECT_EQ(update(), (std::vector<int>{0, 0, 0, 0}));
  // A picture of another size is all new.
  EXPECT_EQ((shown.update(picture.data(), kHeight, kWidth).right), kHeight);
}

}  // namespace
}  // namespace zr590::platform::web
