#include "platform/raster/wide_pen.h"

#include <algorithm>
#include <cmath>

namespace zr590::raster {
namespace {

// Pixels are sampled this far right of and below their centres, which settles ties.
constexpr double kTieBreak = 1.0 / (1 << 20);

struct Span {
  double lo = 1, hi = 0;  // empty while lo > hi
  bool empty() const { return lo > hi; }
  void join(Span other) {
    if (other.empty()) return;
    if (empty()) {
      *this = other;
    } else {
      lo = std::min(lo, other.lo);
      hi = std::max(hi, other.hi);
    }
  }
};

// The X for which a * X + b lies in [lo, hi].
Span solve(double a, double b, double lo, double hi) {
  if (a == 0) return b >= lo && b <= hi ? Span{-HUGE_VAL, HUGE_VAL} : Span{};
  double x0 = (lo - b) / a, x1 = (hi - b) / a;
  if (x0 > x1) std::swap(x0, x1);
  return {x0, x1};
}

Span disk(double cx, double cy, double r, double y) {
  const double dy = y - cy;
  if (std::fabs(dy) > r) return {};
  const double s = std::sqrt(r * r - dy * dy);
  return {cx - s, cx + s};
}

}  // namespace

void wide_line(Raster& raster, Point from, Point to, int width, std::uint32_t colour) {
  const double r = width / 2.0;
  const double ax = from.x, ay = from.y, bx = to.x, by = to.y;
  const double dx = bx - ax, dy = by - ay;
  const double length2 = dx * dx + dy * dy, length = std::sqrt(length2);
  const Box clip = raster.clip();
  const auto first = std::max(static_cast<long long>(clip.top),
                              static_cast<long long>(std::floor(std::min(ay, by) - r)));
  const auto last =
      std::min(clip.bottom - 1LL, static_cast<long long>(std::ceil(std::max(ay, by) + r)));
  for (long long row = first; row <= last; ++row) {
    const double y = static_cast<double>(row) + kTieBreak;
    // The capsule is convex: the union of its two end disks and the band along the segment.
    Span span = disk(ax, ay, r, y);
    span.join(disk(bx, by, r, y));
    if (length2 > 0) {
      // Along the segment: 0 <= (P - A).d <= |d|^2; across it: |(P - A) x d| <= r |d|.
      Span along = solve(dx, (y - ay) * dy - ax * dx, 0, length2);
      Span across = solve(dy, -(y - ay) * dx - ax * dy, -r * length, r * length);
      span.join({std::max(along.lo, across.lo), std::min(along.hi, across.hi)});
    }
    if (span.empty()) continue;
    const long long left = static_cast<long long>(std::ceil(span.lo - kTieBreak));
    const long long right = static_cast<long long>(std::floor(span.hi - kTieBreak));
    if (left <= right) raster.fill_box(left, row, right + 1, row + 1, colour);
  }
}

}  // namespace zr590::raster
