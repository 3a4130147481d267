#include "platform/window_scale.h"

#include <algorithm>
#include <cmath>

namespace zr590::platform {

int whole_scale(Extent area, Extent client) {
  if (client.width <= 0 || client.height <= 0) return 1;
  return std::max(1, std::min(area.width / client.width, area.height / client.height));
}

std::optional<Point> client_point(double x, double y, int scale, Extent client) {
  const double px = std::floor(x / scale), py = std::floor(y / scale);
  if (px < 0 || py < 0 || px >= client.width || py >= client.height) return std::nullopt;
  return Point{static_cast<int>(px), static_cast<int>(py)};
}

}  // namespace zr590::platform
