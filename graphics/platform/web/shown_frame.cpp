#include "platform/web/shown_frame.h"

#include <algorithm>
#include <cstring>

namespace zr590::platform::web {

Box ShownFrame::update(const std::uint8_t* rgba, int width, int height) {
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (width != width_ || height != height_ || shown_.size() != count) {
    width_ = width;
    height_ = height;
    shown_.resize(count);
    std::memcpy(shown_.data(), rgba, count * 4);
    return {0, 0, width, height};
  }
  Box box{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = shown_.data() + static_cast<std::size_t>(y) * width;
    const std::uint8_t* now = rgba + static_cast<std::size_t>(y) * width * 4;
    if (std::memcmp(row, now, static_cast<std::size_t>(width) * 4) == 0) continue;
    int left = 0, right = width;
    while (std::memcmp(row + left, now + left * 4, 4) == 0) ++left;
    while (std::memcmp(row + right - 1, now + (right - 1) * 4, 4) == 0) --right;
    box = {std::min(box.left, left), std::min(box.top, y), std::max(box.right, right), y + 1};
    std::memcpy(row + left, now + left * 4, static_cast<std::size_t>(right - left) * 4);
  }
  if (box.right <= box.left) return {0, 0, 0, 0};
  return box;
}

}  // namespace zr590::platform::web
