#include "platform/web/noting_picture.h"

#include <algorithm>

namespace zr590::platform::web {

void NotingPicture::polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) {
  inner_.polygon(points, pen, brush);
  if (pen.width <= 1) return;
  for (int i = 0; i < 3; ++i) note_wide(points[i], points[(i + 1) % 3], pen.width);
}

void NotingPicture::line(Point from, Point to, const Pen& pen) {
  inner_.line(from, to, pen);
  if (pen.width > 1) note_wide(from, to, pen.width);
}

void NotingPicture::text_out(Point at, std::string_view text, int height, Rgb colour) {
  inner_.text_out(at, text, height, colour);
  if (text.empty()) return;
  const Extent size = inner_.text_extent(text, height);
  note(at.x, at.y, static_cast<long long>(at.x) + size.width,
       static_cast<long long>(at.y) + size.height);
}

std::vector<Rgb> NotingPicture::read_pixels() const {
  settle_drawing(*this);
  return inner_.read_pixels();
}

void NotingPicture::note_wide(Point from, Point to, int width) {
  note(std::min(from.x, to.x) - width, std::min(from.y, to.y) - width,
       std::max(from.x, to.x) + width + 1, std::max(from.y, to.y) + width + 1);
}

void NotingPicture::note(long long left, long long top, long long right, long long bottom) {
  const auto within = [](long long v, int limit) {
    return static_cast<int>(std::clamp<long long>(v, 0, limit));
  };
  const int w = inner_.width(), h = inner_.height();
  const int l = within(left - margin_, w), t = within(top - margin_, h);
  const int r = within(right + margin_, w), b = within(bottom + margin_, h);
  if (l < r && t < b) noted_.emplace(l, t, r, b);
}

}  // namespace zr590::platform::web
