// What the canvas shows, kept to tell what a new picture changes: the page then copies only
// that box, and nothing at all when the picture is as it was (an idle editor repaints every
// tick, with the same pixels).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace zr590::platform::web {

class ShownFrame {
 public:
  // The box (right and bottom exclusive) of the pixels of `rgba` (width x height, 4 bytes a
  // pixel) that differ from the last picture shown, which `rgba` now becomes; an empty box
  // (left == right) when none does. The first picture, or one of another size, is all new.
  Box update(const std::uint8_t* rgba, int width, int height);

 private:
  std::vector<std::uint32_t> shown_;
  int width_ = 0, height_ = 0;
};

}  // namespace zr590::platform::web
