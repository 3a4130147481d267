#include "platform/raster/raster.h"

#include <algorithm>
#include <cstring>

namespace zr590::raster {
namespace {

long long floor_div(long long a, long long b) {  // b > 0
  const long long q = a / b;
  return q - ((a % b != 0) && (a < 0) ? 1 : 0);
}

long long ceil_div(long long a, long long b) {  // b > 0
  return -floor_div(-a, b);
}

// x along the edge from p to q (p.y < q.y) at successive rows, as an exact quotient:
// x = p.x + quotient + remainder / dy, 0 <= remainder < dy.
class EdgeWalk {
 public:
  EdgeWalk(Point p, Point q, long long row) : x0_(p.x), dy_(static_cast<long long>(q.y) - p.y) {
    if (dy_ <= 0) {  // a level edge: its row takes the corner instead
      dy_ = 1;
      return;
    }
    const long long dx = static_cast<long long>(q.x) - p.x;
    step_q_ = floor_div(dx, dy_);
    step_r_ = dx - step_q_ * dy_;
    const long long along = dx * (row - p.y);
    q_ = floor_div(along, dy_);
    r_ = along - q_ * dy_;
  }
  long long floor() const { return x0_ + q_; }
  long long ceil() const { return x0_ + q_ + (r_ != 0 ? 1 : 0); }
  void next() {
    q_ += step_q_;
    r_ += step_r_;
    if (r_ >= dy_) {
      r_ -= dy_;
      ++q_;
    }
  }

 private:
  long long x0_, dy_, step_q_ = 0, step_r_ = 0, q_ = 0, r_ = 0;
};

// Steps i of a line (coordinate start + i * d / steps, rounded) that can land in [lo, hi).
void steps_within(long long start, long long d, long long steps, long long lo, long long hi,
                  long long& begin, long long& end) {
  if (d == 0) {
    if (start < lo || start >= hi) end = begin;
    return;
  }
  long long a = (lo - 1 - start) * steps, b = (hi - start) * steps;
  if (d < 0) {
    std::swap(a, b);
    a = -a;
    b = -b;
    d = -d;
  }
  begin = std::max(begin, floor_div(a, d));
  end = std::min(end, ceil_div(b, d) + 1);
}

}  // namespace

Raster::Raster(std::uint32_t* pixels, int width, int height, int stride)
    : pixels_(pixels), width_(width), height_(height), stride_(stride) {
  clip_to_buffer();
}

void Raster::set_clip(Box clip) {
  clip_l_ = std::clamp(clip.left, 0, width_);
  clip_t_ = std::clamp(clip.top, 0, height_);
  clip_r_ = std::clamp(clip.right, clip_l_, width_);
  clip_b_ = std::clamp(clip.bottom, clip_t_, height_);
}

void Raster::fill_box(long long left, long long top, long long right, long long bottom,
                      std::uint32_t colour) {
  left = std::max<long long>(left, clip_l_);
  top = std::max<long long>(top, clip_t_);
  right = std::min<long long>(right, clip_r_);
  bottom = std::min<long long>(bottom, clip_b_);
  if (left >= right || top >= bottom) return;
  // One row filled, the others copied from it: memcpy is far faster than a loop storing each
  // pixel (and, under AddressSanitizer, checked once per row rather than per pixel).
  const auto count = static_cast<std::size_t>(right - left);
  std::uint32_t* first = row(static_cast<int>(top)) + left;
  std::fill(first, first + count, colour);
  for (long long y = top + 1; y < bottom; ++y) {
    std::memcpy(row(static_cast<int>(y)) + left, first, count * sizeof(std::uint32_t));
  }
}

void Raster::rectangle(Box box, int pen_width, std::uint32_t pen, Fill fill) {
  const long long l = box.left, t = box.top, r = box.right - 1LL, b = box.bottom - 1LL;
  if (r < l || b < t) return;
  const int w = std::max(pen_width, 1);
  const long long out = (w - 1) / 2, in = w / 2;
  if (w == 1 && fill.on && fill.colour == pen) {
    fill_box(l, t, r + 1, b + 1, pen);  // outline and inside in one colour
    return;
  }
  if (fill.on) fill_box(l + 1, t + 1, r, b, fill.colour);
  fill_box(l - out, t - out, r + out + 1, t + in + 1, pen);  // top
  fill_box(l - out, b - in, r + out + 1, b + out + 1, pen);  // bottom
  fill_box(l - out, t - out, l + in + 1, b + out + 1, pen);  // left
  fill_box(r - in, t - out, r + out + 1, b + out + 1, pen);  // right
}

EllipseRows Raster::rows_of(Box box) {
  if (!EllipseRows::fits_table(box)) return EllipseRows(box, nullptr);
  return EllipseRows(box, &tables_.get(static_cast<long long>(box.right) - box.left,
                                       static_cast<long long>(box.bottom) - box.top));
}

void Raster::ellipse(Box box, int pen_width, std::uint32_t pen, Fill fill) {
  const EllipseRows shape = rows_of(box);
  if (shape.empty()) return;
  const long long top = std::max<long long>(box.top, clip_t_);
  const long long bottom = std::min<long long>(box.bottom, clip_b_);
  const int w = std::max(pen_width, 1);
  if (fill.on) {
    long long first = 0, last = -1;
    for (long long y = top; y < bottom; ++y) {
      if (shape.span(y, first, last)) span(y, first, last, fill.colour);
    }
    // The rim lies inside the filled set: in the same colour it changes nothing.
    if (w == 1 && fill.colour == pen) return;
  }
  if (w == 1) {
    ellipse_rim(shape, top, bottom, pen);
    return;
  }
  // A wide pen is centred on the rim: the band between the box grown and shrunk by it.
  const int out = (w - 1) / 2, in = w / 2 + 1;
  const Box grown{box.left - out, box.top - out, box.right + out, box.bottom + out};
  const EllipseRows outer = rows_of(grown);
  // The inner table of its own: the cache may hold only one of two sizes at a time.
  const Box shrunk{box.left + in, box.top + in, box.right - in, box.bottom - in};
  const bool inner_table = EllipseRows::fits_table(shrunk);
  if (inner_table) {
    EllipseRows::make_table(static_cast<long long>(shrunk.right) - shrunk.left,
                            static_cast<long long>(shrunk.bottom) - shrunk.top, inner_rows_);
  }
  const EllipseRows inner(shrunk, inner_table ? &inner_rows_ : nullptr);
  const long long otop = std::max<long long>(grown.top, clip_t_);
  const long long obottom = std::min<long long>(grown.bottom, clip_b_);
  long long first = 0, last = -1, i_first = 0, i_last = -1;
  for (long long y = otop; y < obottom; ++y) {
    if (!outer.span(y, first, last)) continue;
    if (inner.span(y, i_first, i_last)) {
      span(y, first, i_first - 1, pen);
      span(y, i_last + 1, last, pen);
    } else {
      span(y, first, last, pen);
    }
  }
}

// The pixels of the set with a 4-neighbour outside it. Each row's span is worked out once and
// kept for the rows beside it.
void Raster::ellipse_rim(const EllipseRows& shape, long long top, long long bottom,
                         std::uint32_t colour) {
  struct Span {
    bool any;
    long long first, last;
  };
  auto row_span = [&](long long y) {
    Span s{};
    s.any = shape.span(y, s.first, s.last);
    return s;
  };
  Span above = row_span(top - 1), here = row_span(top);
  for (long long y = top; y < bottom; ++y) {
    const Span below = row_span(y + 1);
    if (here.any) {
      long long in_first = 1, in_last = 0;
      if (above.any && below.any) {
        in_first = std::max({here.first + 1, above.first, below.first});
        in_last = std::min({here.last - 1, above.last, below.last});
      }
      if (in_first > in_last) {
        span(y, here.first, here.last, colour);
      } else {
        span(y, here.first, in_first - 1, colour);
        span(y, in_last + 1, here.last, colour);
      }
    }
    above = here;
    here = below;
  }
}

void Raster::thin_triangle(const Point (&points)[3], std::uint32_t pen, Fill fill) {
  if (fill.on) {
    // With the corners on pixel centres, pixel (i, j) is inside when the point (i, j) is.
    Point a = points[0], b = points[1], c = points[2];
    if (b.y < a.y) std::swap(a, b);
    if (c.y < b.y) std::swap(b, c);
    if (b.y < a.y) std::swap(a, b);
    if (a.y == c.y) {
      span(a.y, std::min({a.x, b.x, c.x}), std::max({a.x, b.x, c.x}), fill.colour);
    } else {
      const long long top = std::max<long long>(a.y, clip_t_);
      const long long bottom = std::min<long long>(c.y, clip_b_ - 1LL);
      if (top <= bottom) {
        // Each row lies between the long edge a-c and one of the short ones; at b's own row the
        // short edges meet at b.
        EdgeWalk along_ac(a, c, top);
        EdgeWalk along_ab(a, b, std::min<long long>(top, b.y));
        EdgeWalk along_bc(b, c, std::max<long long>(top, b.y));
        for (long long y = top; y <= bottom; ++y) {
          long long lo = along_ac.ceil(), hi = along_ac.floor();
          if (y < b.y) {
            lo = std::min(lo, along_ab.ceil());
            hi = std::max(hi, along_ab.floor());
            along_ab.next();
          } else if (y > b.y) {
            lo = std::min(lo, along_bc.ceil());
            hi = std::max(hi, along_bc.floor());
            along_bc.next();
          } else {
            lo = std::min<long long>(lo, b.x);
            hi = std::max<long long>(hi, b.x);
            along_bc.next();
          }
          along_ac.next();
          span(y, lo, hi, fill.colour);
        }
      }
    }
  }
  for (int k = 0; k < 3; ++k) thin_line(points[k], points[(k + 1) % 3], pen);
}

void Raster::thin_line(Point from, Point to, std::uint32_t colour) {
  const long long dx = static_cast<long long>(to.x) - from.x;
  const long long dy = static_cast<long long>(to.y) - from.y;
  const long long steps = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
  if (steps == 0) return;
  // The longer axis moves one pixel a step; the other follows its rounded exact position.
  const bool along_x = (dx < 0 ? -dx : dx) == steps;
  const long long major_start = along_x ? from.x : from.y;
  const long long minor_start = along_x ? from.y : from.x;
  const long long major_step = (along_x ? dx : dy) < 0 ? -1 : 1;
  const long long major_lo = along_x ? clip_l_ : clip_t_, major_hi = along_x ? clip_r_ : clip_b_;
  const long long minor_lo = along_x ? clip_t_ : clip_l_, minor_hi = along_x ? clip_b_ : clip_r_;
  // Only the steps that can land in the clip are walked: a line far outside it costs nothing.
  long long begin = 0, end = steps;
  if (major_step > 0) {
    begin = std::max(begin, major_lo - major_start);
    end = std::min(end, major_hi - major_start);
  } else {
    begin = std::max(begin, major_start - major_hi + 1);
    end = std::min(end, major_start - major_lo + 1);
  }
  steps_within(minor_start, along_x ? dy : dx, steps, minor_lo, minor_hi, begin, end);
  if (begin >= end) return;
  // The minor coordinate is minor_start + sign * q, q = (2 i |d| + steps) / (2 steps) rounded
  // down, kept as quotient and remainder.
  const long long d = along_x ? dy : dx;
  const long long add = 2 * (d < 0 ? -d : d), denominator = 2 * steps;
  const long long minor_sign = d < 0 ? -1 : 1;
  const long long n = begin * add + steps;
  long long minor = minor_start + minor_sign * (n / denominator), remainder = n % denominator;
  long long major = major_start + major_step * begin;
  const long long major_offset = along_x ? major_step : major_step * stride_;
  const long long minor_offset = along_x ? minor_sign * stride_ : minor_sign;
  long long at = along_x ? minor * stride_ + major : major * stride_ + minor;
  for (long long i = begin; i < end; ++i) {
    if (minor >= minor_lo && minor < minor_hi) pixels_[at] = colour;
    at += major_offset;
    remainder += add;
    if (remainder >= denominator) {
      remainder -= denominator;
      minor += minor_sign;
      at += minor_offset;
    }
  }
}

}  // namespace zr590::raster
