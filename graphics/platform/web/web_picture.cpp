#include "platform/web/web_picture.h"

#include <algorithm>
#include <bit>

#include "platform/web/wide_pen.h"

namespace zr590::platform::web {
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

WebPicture::WebPicture(int width, int height)
    : width_(width),
      height_(height),
      // A new picture's contents are not defined by the library; start it black, like a fresh
      // bitmap.
      pixels_(static_cast<std::size_t>(width) * height, packed({0, 0, 0})),
      raster_(pixels_.data(), width, height, width) {}

void WebPicture::rectangle(Box box, const Pen& pen, const Brush& brush) {
  raster_.rectangle(box, pen.width, packed(pen.colour), fill_of(brush));
}

void WebPicture::ellipse(Box box, const Pen& pen, const Brush& brush) {
  raster_.ellipse(box, pen.width, packed(pen.colour), fill_of(brush));
}

void WebPicture::polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) {
  // The inside and a one-pixel outline; a wide pen then strokes each edge as a wide line, so
  // the corners come out round.
  raster_.thin_triangle(points, packed(pen.colour), fill_of(brush));
  if (pen.width <= 1) return;
  for (int i = 0; i < 3; ++i) {
    const Point from = points[i], to = points[(i + 1) % 3];
    wide_line(raster_, from, to, pen.width, packed(pen.colour));
    note(std::min(from.x, to.x) - pen.width, std::min(from.y, to.y) - pen.width,
         std::max(from.x, to.x) + pen.width + 1, std::max(from.y, to.y) + pen.width + 1);
  }
}

void WebPicture::line(Point from, Point to, const Pen& pen) {
  if (pen.width <= 1) {
    raster_.thin_line(from, to, packed(pen.colour));
    return;
  }
  wide_line(raster_, from, to, pen.width, packed(pen.colour));
  note(std::min(from.x, to.x) - pen.width, std::min(from.y, to.y) - pen.width,
       std::max(from.x, to.x) + pen.width + 1, std::max(from.y, to.y) + pen.width + 1);
}

Extent WebPicture::text_extent(std::string_view text, int height) {
  return font_.extent(text, height);
}

void WebPicture::text_out(Point at, std::string_view text, int height, Rgb colour) {
  if (text.empty()) return;
  font_.draw(raster_, at, text, height, packed(colour));
  const Extent size = font_.extent(text, height);
  note(at.x, at.y, static_cast<long long>(at.x) + size.width,
       static_cast<long long>(at.y) + size.height);
}

void WebPicture::note(long long left, long long top, long long right, long long bottom) {
  if (note_margin_ < 0) return;
  const auto within = [](long long v, int limit) {
    return static_cast<int>(std::clamp<long long>(v, 0, limit));
  };
  const int l = within(left - note_margin_, width_), t = within(top - note_margin_, height_);
  const int r = within(right + note_margin_, width_), b = within(bottom + note_margin_, height_);
  if (l < r && t < b) noted_.emplace(l, t, r, b);
}

Box WebPicture::text_bounds(Point at, std::string_view text, int height) {
  return font_.bounds(at, text, height);
}

const std::uint8_t* WebPicture::rgba() const {
  settle_drawing(*this);
  return reinterpret_cast<const std::uint8_t*>(pixels_.data());
}

std::vector<Rgb> WebPicture::read_pixels() const {
  settle_drawing(*this);
  std::vector<Rgb> out;
  out.reserve(pixels_.size());
  for (const std::uint32_t v : pixels_) {
    out.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                   static_cast<std::uint8_t>(v >> 16)});
  }
  return out;
}

Rgb WebPicture::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0};
  settle_drawing(*this);
  const std::uint32_t v = pixels_[static_cast<std::size_t>(y) * width_ + x];
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v >> 16)};
}

}  // namespace zr590::platform::web
