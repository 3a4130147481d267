// Figures over a plain 32-bit pixel buffer, with the pixel rules the library was designed on
// (see platform::Picture): a figure's box excludes its right column and bottom row, a one-pixel
// outline runs along the inside of it, a line leaves its end point unpainted. Only pixels
// inside the clip rectangle are written. Integer arithmetic throughout; the raster does not
// know the pixel format, it stores the 32-bit values it is given.
//
// Coordinates are meant to stay within +-2^24 (the renderer keeps them within +-2^22); beyond
// that figures may come out wrong, but memory outside the buffer is never written.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "platform/raster/ellipse_rows.h"

namespace zr590::raster {

using platform::Box;
using platform::Point;

// A fill colour, or none.
struct Fill {
  bool on;
  std::uint32_t colour;
};

class Raster {
 public:
  // `stride` counts pixels from one row to the next.
  Raster(std::uint32_t* pixels, int width, int height, int stride);

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t* row(int y) const { return pixels_ + static_cast<std::size_t>(y) * stride_; }

  // Limits drawing to `clip` within the buffer; right column and bottom row outside it.
  void set_clip(Box clip);
  void clip_to_buffer() { set_clip({0, 0, width_, height_}); }
  Box clip() const { return {clip_l_, clip_t_, clip_r_, clip_b_}; }

  // Fills [left, right) x [top, bottom).
  void fill_box(long long left, long long top, long long right, long long bottom,
                std::uint32_t colour);
  // A rectangle with an outline of `pen_width` pixels (0 and 1 both one pixel) centred on the
  // box's outer pixels, and its inside filled.
  void rectangle(Box box, int pen_width, std::uint32_t pen, Fill fill);
  // The ellipse inscribed in the box: the pixels whose centres lie inside it, its outline the
  // rim of that set; a wide pen paints the band between the box grown and shrunk by it.
  void ellipse(Box box, int pen_width, std::uint32_t pen, Fill fill);
  // A triangle with a one-pixel pen: the pixels whose centres lie inside it, and three thin
  // lines through its corner pixels.
  void thin_triangle(const Point (&points)[3], std::uint32_t pen, Fill fill);
  // A one-pixel line from `from` towards `to`, the end point unpainted: at each step along the
  // longer axis the other coordinate is the exact one rounded to the nearest pixel (halves
  // away from the start).
  void thin_line(Point from, Point to, std::uint32_t colour);

 private:
  // Row y from x0 to x1 inclusive, clipped.
  void span(long long y, long long x0, long long x1, std::uint32_t colour) {
    if (y < clip_t_ || y >= clip_b_) return;
    if (x0 < clip_l_) x0 = clip_l_;
    if (x1 >= clip_r_) x1 = clip_r_ - 1LL;
    if (x0 > x1) return;
    std::uint32_t* p = row(static_cast<int>(y));
    for (long long x = x0; x <= x1; ++x) p[x] = colour;
  }
  EllipseRows rows_of(Box box);
  void ellipse_rim(const EllipseRows& shape, long long top, long long bottom, std::uint32_t colour);

  std::uint32_t* pixels_;
  int width_, height_, stride_;
  int clip_l_ = 0, clip_t_ = 0, clip_r_ = 0, clip_b_ = 0;
  EllipseTables tables_;
  EllipseRows::Table inner_rows_;
};

}  // namespace zr590::raster
