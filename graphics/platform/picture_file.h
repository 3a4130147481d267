// The graphics window's picture as a PNG file (ZR590_save_picture, shape-replay --png).
#pragma once

#include <string>

#include "platform/platform.h"

namespace zr590::platform {

// Writes `picture` to `path` as PNG through the durable save. On failure `path` is as it was,
// false is returned and errno says why.
bool write_picture_png(const Picture& picture, const std::string& path);

}  // namespace zr590::platform
