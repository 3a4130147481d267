#include "platform/raster/raster_picture.h"

#include <algorithm>
#include <bit>

#include "platform/raster/wide_pen.h"

namespace zr590::platform {
namespace {

static_assert(std::endian::native == std::endian::little,
              "pixels are stored as R, G, B, A bytes through 32-bit words");

std::uint32_t packed(Rgb c) {
  return 0xFF000000u | (std::uint32_t{c.b} << 16) | (std::uint32_t{c.g} << 8) | c.r;
}

raster::Fill fill_of(const Brush& brush) {
  return {!brush.hollow, packed(brush.colour)};
}

}  // namespace

RasterPicture::RasterPicture(int width, int height)
    : width_(width),
      height_(height),
      // A new picture's contents are not defined by the library; start it black, like a fresh
      // bitmap.
      pixels_(static_cast<std::size_t>(width) * height, packed({0, 0, 0})),
      raster_(pixels_.data(), width, height, width) {}

void RasterPicture::rectangle(Box box, const Pen& pen, const Brush& brush) {
  raster_.rectangle(box, pen.width, packed(pen.colour), fill_of(brush));
}

void RasterPicture::ellipse(Box box, const Pen& pen, const Brush& brush) {
  raster_.ellipse(box, pen.width, packed(pen.colour), fill_of(brush));
}

void RasterPicture::polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) {
  // The inside and a one-pixel outline; a wide pen then strokes each edge as a wide line, so
  // the corners come out round.
  raster_.thin_triangle(points, packed(pen.colour), fill_of(brush));
  if (pen.width <= 1) return;
  for (int i = 0; i < 3; ++i) {
    const Point from = points[i], to = points[(i + 1) % 3];
    raster::wide_line(raster_, from, to, pen.width, packed(pen.colour));
  }
}

void RasterPicture::line(Point from, Point to, const Pen& pen) {
  if (pen.width <= 1) {
    raster_.thin_line(from, to, packed(pen.colour));
    return;
  }
  raster::wide_line(raster_, from, to, pen.width, packed(pen.colour));
}

Extent RasterPicture::text_extent(std::string_view text, int height) {
  return font_.extent(text, height);
}

void RasterPicture::text_out(Point at, std::string_view text, int height, Rgb colour) {
  if (text.empty()) return;
  font_.draw(raster_, at, text, height, packed(colour));
}

Box RasterPicture::text_bounds(Point at, std::string_view text, int height) {
  return font_.bounds(at, text, height);
}

const std::uint8_t* RasterPicture::rgba() const {
  settle_drawing(*this);
  return reinterpret_cast<const std::uint8_t*>(pixels_.data());
}

std::vector<Rgb> RasterPicture::read_pixels() const {
  settle_drawing(*this);
  std::vector<Rgb> out;
  out.reserve(pixels_.size());
  for (const std::uint32_t v : pixels_) {
    out.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                   static_cast<std::uint8_t>(v >> 16)});
  }
  return out;
}

Rgb RasterPicture::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0};
  settle_drawing(*this);
  const std::uint32_t v = pixels_[static_cast<std::size_t>(y) * width_ + x];
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v >> 16)};
}

}  // namespace zr590::platform
