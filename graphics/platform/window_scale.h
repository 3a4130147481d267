// A graphics window made larger than its client area (by the user or a tiling window manager):
// the client area stays where it is, at the window's top left, and once the window holds it
// twice it is shown enlarged by the largest whole factor that fits, each pixel an exact block;
// the rest of the window is the window background. The library sees the client area as before.
// Shared by the desktop backends.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace zr590::platform {

// The whole factor for a window of `area` showing a client area of `client` (1 while the window
// does not hold it twice in both directions).
int whole_scale(Extent area, Extent client);

// The client pixel under window point (x, y) at `scale`; nothing outside the client area.
std::optional<Point> client_point(double x, double y, int scale, Extent client);

}  // namespace zr590::platform
