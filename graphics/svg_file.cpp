#include "svg_file.h"

#include <zr590/safe_file.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "colours.h"
#include "library_state.h"

namespace zr590 {
namespace {

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  std::string s = text;
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  return s;
}

std::string colour_of(int colour) {
  const platform::Rgb c =
      color_rgb[static_cast<unsigned>(colour) < kColourCount ? colour : kSubstituteColour];
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
  return text;
}

// Width 0 fills the figure, outline and inside in one colour; a width w > 0 draws only the
// outline, w pixels wide, on the inside of the box for a 1-pixel pen and growing out as in.
std::string paint(const Figure& f) {
  const std::string colour = colour_of(f.colour);
  if (f.width <= 0) return " fill=\"" + colour + "\"";
  return " fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + std::to_string(f.width) + "\"";
}

std::string element(const Figure& f, Origin origin) {
  // Picture pixels: y grows downwards. A box runs from the first corner's pixel through the
  // second's.
  const double x1 = origin.x + static_cast<double>(f.x1), y1 = origin.y - static_cast<double>(f.y1);
  const double x2 = origin.x + static_cast<double>(f.x2), y2 = origin.y - static_cast<double>(f.y2);
  // A w-pixel outline reaches (w - 1) / 2 pixels out of the box; its middle lies this far
  // inside the box's edge (an outline along the inside: half a pixel for w = 1).
  const int w = f.width <= 0 ? 1 : f.width;
  const double inset = w / 2.0 - (w - 1) / 2;
  const double left = std::min(x1, x2), top = std::min(y1, y2);
  const double width = std::abs(x2 - x1) + 1, height = std::abs(y2 - y1) + 1;
  switch (f.kind) {
    case Figure::Rectangle:
      if (f.width <= 0 || width <= 2 * inset || height <= 2 * inset) {
        const double grow = f.width <= 0 ? 0 : (w - 1) / 2;
        return "<rect x=\"" + number(left - grow) + "\" y=\"" + number(top - grow) + "\" width=\"" +
               number(width + 2 * grow) + "\" height=\"" + number(height + 2 * grow) +
               "\" fill=\"" + colour_of(f.colour) + "\"/>";
      }
      return "<rect x=\"" + number(left + inset) + "\" y=\"" + number(top + inset) + "\" width=\"" +
             number(width - 2 * inset) + "\" height=\"" + number(height - 2 * inset) + "\"" +
             paint(f) + "/>";
    case Figure::Oval: {
      const double rx = width / 2, ry = height / 2;
      const std::string centre =
          "<ellipse cx=\"" + number(left + rx) + "\" cy=\"" + number(top + ry) + "\"";
      if (f.width <= 0 || rx <= inset || ry <= inset) {
        return centre + " rx=\"" + number(rx) + "\" ry=\"" + number(ry) + "\" fill=\"" +
               colour_of(f.colour) + "\"/>";
      }
      return centre + " rx=\"" + number(rx - inset) + "\" ry=\"" + number(ry - inset) + "\"" +
             paint(f) + "/>";
    }
    case Figure::Triangle: {
      // The corners are pixels: their centres.
      const double x3 = origin.x + static_cast<double>(f.x3) + 0.5;
      const double y3 = origin.y - static_cast<double>(f.y3) + 0.5;
      std::string points = number(x1 + 0.5) + "," + number(y1 + 0.5) + " " + number(x2 + 0.5) +
                           "," + number(y2 + 0.5) + " " + number(x3) + "," + number(y3);
      std::string drawn = "<polygon points=\"" + points + "\"" + paint(f);
      // Filled: the 1-pixel outline too, in the same colour.
      if (f.width <= 0) drawn += " stroke=\"" + colour_of(f.colour) + "\" stroke-width=\"1\"";
      return drawn + "/>";
    }
  }
  return "";
}

}  // namespace

std::string figures_svg(const Figure* figures, int count, Origin origin) {
  const std::string width = std::to_string(platform::kPictureWidth);
  const std::string height = std::to_string(platform::kPictureHeight);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width +
                    "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
                    "\" shape-rendering=\"crispEdges\">\n<rect width=\"" + width +
                    "\" height=\"" + height + "\" fill=\"" + colour_of(kBackgroundColour) +
                    "\"/>\n";
  for (int i = 0; i < count; ++i) {
    const std::string drawn = element(figures[i], origin);
    if (!drawn.empty()) svg += drawn + "\n";
  }
  return svg + "</svg>\n";
}

bool Display::saveFiguresSvg(const char* path, const Figure* figures, int count) {
  if (path == nullptr || *path == '\0') {
    ZR590_printf("Cannot save the picture: no file name\n");
    return false;
  }
  const std::string svg = figures_svg(figures, count < 0 ? 0 : count, current_origin());
  if (!writeFileSafely(path, [&svg](std::FILE* out) {
        return std::fwrite(svg.data(), 1, svg.size(), out) == svg.size();
      })) {
    const int error = errno;
    ZR590_printf("Cannot save the picture to %s: %s\n", path, std::strerror(error));
    return false;
  }
  return true;
}

}  // namespace zr590
