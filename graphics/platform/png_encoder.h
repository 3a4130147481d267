// Pictures as PNG files, on every backend with no library beyond the standard one: 8-bit RGB,
// each row filtered the way that leaves it most zero bytes, compressed with runs of equal bytes
// under deflate's fixed codes. A drawing's large plain areas shrink to a few bytes per row.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace zr590::platform {

// The PNG file of a `width` x `height` picture whose pixels are given row after row from the
// top.
std::string encode_png(const std::vector<Rgb>& pixels, int width, int height);

}  // namespace zr590::platform
