// Figures as an SVG file: one element per figure, in order, placed and coloured as the picture
// draws them, so that the file rendered at the picture's size shows the picture's pixels but
// for the edges of curves and slopes.
#pragma once

#include <zr590/display.h>

#include <string>

#include "renderer.h"

namespace zr590 {

// The SVG document of `figures` on the window background, the picture's size, with the
// window's centre at `origin` (picture pixels).
std::string figures_svg(const Figure* figures, int count, Origin origin);

}  // namespace zr590
