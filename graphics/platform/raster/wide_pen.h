// Lines drawn with a pen wider than one pixel, as a geometric pen draws them: every pixel whose
// centre lies within half the pen's width of the segment between the two end pixels' centres,
// so both ends are round and both end points painted. Where that leaves a tie (an even width
// along a row or column), the pixels above and to the left take it.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "platform/raster/raster.h"

namespace zr590::raster {

void wide_line(Raster& raster, Point from, Point to, int width, std::uint32_t colour);

}  // namespace zr590::raster
