#include "platform/cairo/cairo_picture.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/text_encoding.h"

namespace zr590::platform {
namespace {

// Face standing in for the library's own font, and the height used for point size 0.
constexpr const char* kFontFace = "DejaVu Sans";
constexpr int kDefaultTextHeight = 12;

std::uint32_t packed(Rgb c) {
  return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

void set_source(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0); }

int pen_pixels(const Pen& pen) { return std::max(pen.width, 1); }

// The ellipse inscribed in a box [left, right) x [top, bottom): the pixels whose centres lie
// inside it. Exact integer test: with X = 2i + 1 - (left + right), Y = 2j + 1 - (top + bottom),
// W = right - left and H = bottom - top, pixel (i, j) is inside when
// X^2 H^2 + Y^2 W^2 <= W^2 H^2.
class EllipseRows {
 public:
  EllipseRows(Box box)
      : sum_x_(static_cast<long long>(box.left) + box.right),
        sum_y_(static_cast<long long>(box.top) + box.bottom),
        w_(static_cast<long long>(box.right) - box.left),
        h_(static_cast<long long>(box.bottom) - box.top) {}

  bool empty() const { return w_ <= 0 || h_ <= 0; }

  // The span of row j, inclusive; false when the row holds no pixel.
  bool span(long long j, long long& first, long long& last) const {
    if (empty()) return false;
    long long y = 2 * j + 1 - sum_y_;
    if (y < -h_ || y > h_) return false;
    double half = static_cast<double>(w_) * std::sqrt(1.0 - (static_cast<double>(y) * y) /
                                                              (static_cast<double>(h_) * h_));
    first = static_cast<long long>(std::ceil((sum_x_ - half - 1) / 2.0));
    last = static_cast<long long>(std::floor((sum_x_ + half - 1) / 2.0));
    // The floating estimate can be one pixel off at the rim; settle it exactly.
    while (inside(first - 1, y)) --first;
    while (first <= last && !inside(first, y)) ++first;
    while (inside(last + 1, y)) ++last;
    while (last >= first && !inside(last, y)) --last;
    return first <= last;
  }

 private:
  bool inside(long long i, long long y) const {
    const long long x = 2 * i + 1 - sum_x_;
    // Small boxes, the usual case, fit 64-bit products; large ones need 128 bits.
    if (w_ < (1 << 15) && h_ < (1 << 15) && x > -(1 << 17) && x < (1 << 17)) {
      return x * x * h_ * h_ + y * y * w_ * w_ <= w_ * w_ * h_ * h_;
    }
    using Wide = __int128;
    return Wide{x} * x * h_ * h_ + Wide{y} * y * w_ * w_ <= Wide{w_} * w_ * h_ * h_;
  }

  long long sum_x_, sum_y_, w_, h_;
};

}  // namespace

CairoPicture::CairoPicture(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  pixels_ = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_));
  stride_ = cairo_image_surface_get_stride(surface_) / 4;
  // A new picture's contents are not defined by the library; start it black, like a fresh
  // bitmap.
  std::fill(pixels_, pixels_ + static_cast<std::size_t>(stride_) * height_, 0xFF000000u);
  cairo_surface_mark_dirty(surface_);
  layout_ = pango_cairo_create_layout(cr_);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout_), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout_);
  // Line feeds and other control characters stay on the one line as glyphs.
  pango_layout_set_single_paragraph_mode(layout_, TRUE);
}

CairoPicture::~CairoPicture() {
  g_object_unref(layout_);
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void CairoPicture::begin_direct() {
  if (!direct_) {
    cairo_surface_flush(surface_);
    direct_ = true;
  }
}

void CairoPicture::begin_cairo() {
  if (direct_) {
    cairo_surface_mark_dirty(surface_);
    direct_ = false;
  }
}

void CairoPicture::fill_span(long long y, long long x0, long long x1, std::uint32_t colour) {
  if (y < 0 || y >= height_) return;
  x0 = std::max(x0, 0LL);
  x1 = std::min(x1, static_cast<long long>(width_) - 1);
  if (x0 > x1) return;
  std::uint32_t* row = pixels_ + static_cast<std::size_t>(y) * stride_;
  std::fill(row + x0, row + x1 + 1, colour);
}

void CairoPicture::fill_box(long long left, long long top, long long right, long long bottom,
                            std::uint32_t colour) {
  top = std::max(top, 0LL);
  bottom = std::min(bottom, static_cast<long long>(height_));
  for (long long y = top; y < bottom; ++y) fill_span(y, left, right - 1, colour);
}

void CairoPicture::rectangle(Box box, const Pen& pen, const Brush& brush) {
  begin_direct();
  const long long l = box.left, t = box.top, r = box.right - 1LL, b = box.bottom - 1LL;
  if (r < l || b < t) return;
  if (!brush.hollow) fill_box(l + 1, t + 1, r, b, packed(brush.colour));
  // The pen is centred on the outline that runs through the box's outer pixels.
  const int w = pen_pixels(pen);
  const long long out = (w - 1) / 2, in = w / 2;
  const std::uint32_t c = packed(pen.colour);
  fill_box(l - out, t - out, r + out + 1, t + in + 1, c);  // top
  fill_box(l - out, b - in, r + out + 1, b + out + 1, c);  // bottom
  fill_box(l - out, t - out, l + in + 1, b + out + 1, c);  // left
  fill_box(r - in, t - out, r + out + 1, b + out + 1, c);  // right
}

void CairoPicture::ellipse(Box box, const Pen& pen, const Brush& brush) {
  begin_direct();
  const EllipseRows shape(box);
  if (shape.empty()) return;
  const long long top = std::max<long long>(box.top, 0);
  const long long bottom = std::min<long long>(box.bottom, height_);
  if (!brush.hollow) {
    const std::uint32_t c = packed(brush.colour);
    long long first = 0, last = -1;
    for (long long j = top; j < bottom; ++j) {
      if (shape.span(j, first, last)) fill_span(j, first, last, c);
    }
  }
  const std::uint32_t c = packed(pen.colour);
  const int w = pen_pixels(pen);
  if (w == 1) {
    // The rim: pixels of the ellipse with a 4-neighbour outside it. Each row's span is
    // worked out once and kept for the rows beside it.
    struct Span {
      bool any;
      long long first, last;
    };
    auto row = [&](long long j) {
      Span span{};
      span.any = shape.span(j, span.first, span.last);
      return span;
    };
    Span above = row(top - 1), here = row(top);
    for (long long j = top; j < bottom; ++j) {
      Span below = row(j + 1);
      if (here.any) {
        long long in_first = here.first + 1, in_last = here.last - 1;
        if (above.any && below.any) {
          in_first = std::max({in_first, above.first, below.first});
          in_last = std::min({in_last, above.last, below.last});
        } else {
          in_first = 1, in_last = 0;
        }
        if (in_first > in_last) {
          fill_span(j, here.first, here.last, c);
        } else {
          fill_span(j, here.first, in_first - 1, c);
          fill_span(j, in_last + 1, here.last, c);
        }
      }
      above = here;
      here = below;
    }
    return;
  }
  // A wide pen is centred on the rim: the band between the box grown and shrunk by it.
  const int out = (w - 1) / 2, in = w / 2 + 1;
  const EllipseRows outer({box.left - out, box.top - out, box.right + out, box.bottom + out});
  const EllipseRows inner({box.left + in, box.top + in, box.right - in, box.bottom - in});
  const long long otop = std::max<long long>(static_cast<long long>(box.top) - out, 0);
  const long long obottom = std::min<long long>(static_cast<long long>(box.bottom) + out, height_);
  long long first = 0, last = -1, i_first = 0, i_last = -1;
  for (long long j = otop; j < obottom; ++j) {
    if (!outer.span(j, first, last)) continue;
    if (inner.span(j, i_first, i_last)) {
      fill_span(j, first, i_first - 1, c);
      fill_span(j, i_last + 1, last, c);
    } else {
      fill_span(j, first, last, c);
    }
  }
}

void CairoPicture::polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) {
  if (pen_pixels(pen) == 1) {
    // As the original drawing service does it: the interior is the pixels whose centres lie
    // inside, the outline three thin lines through the corner pixels.
    begin_direct();
    if (!brush.hollow) fill_triangle(points, packed(brush.colour));
    const std::uint32_t c = packed(pen.colour);
    for (int k = 0; k < 3; ++k) thin_line(points[k], points[(k + 1) % 3], c);
    return;
  }
  begin_cairo();
  cairo_new_path(cr_);
  cairo_move_to(cr_, points[0].x + 0.5, points[0].y + 0.5);
  cairo_line_to(cr_, points[1].x + 0.5, points[1].y + 0.5);
  cairo_line_to(cr_, points[2].x + 0.5, points[2].y + 0.5);
  cairo_close_path(cr_);
  if (!brush.hollow) {
    set_source(cr_, brush.colour);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill_preserve(cr_);
  }
  set_source(cr_, pen.colour);
  cairo_set_line_width(cr_, pen_pixels(pen));
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
  cairo_stroke(cr_);
}

void CairoPicture::fill_triangle(const Point (&points)[3], std::uint32_t colour) {
  // With the corners on pixel centres, pixel (i, j) is inside when the point (i, j) is.
  const long long top = std::max<long long>(
      std::min({points[0].y, points[1].y, points[2].y}), 0);
  const long long bottom = std::min<long long>(
      std::max({points[0].y, points[1].y, points[2].y}), height_ - 1LL);
  for (long long j = top; j <= bottom; ++j) {
    double lo = 0, hi = -1;
    bool any = false;
    for (int k = 0; k < 3; ++k) {
      const Point& p = points[k];
      const Point& q = points[(k + 1) % 3];
      if ((j < p.y && j < q.y) || (j > p.y && j > q.y)) continue;
      double x;
      if (p.y == q.y) {
        lo = any ? std::min({lo, double(p.x), double(q.x)}) : std::min(p.x, q.x);
        hi = any ? std::max({hi, double(p.x), double(q.x)}) : std::max(p.x, q.x);
        any = true;
        continue;
      }
      x = p.x + static_cast<double>(q.x - static_cast<long long>(p.x)) * (j - p.y) /
                    static_cast<double>(q.y - static_cast<long long>(p.y));
      lo = any ? std::min(lo, x) : x;
      hi = any ? std::max(hi, x) : x;
      any = true;
    }
    if (any) {
      fill_span(j, static_cast<long long>(std::ceil(lo)), static_cast<long long>(std::floor(hi)),
                colour);
    }
  }
}

// A one-pixel line from `from` towards `to`, the end point unpainted: at each step along the
// longer axis the other coordinate is the exact one rounded to the nearest pixel.
void CairoPicture::thin_line(Point from, Point to, std::uint32_t colour) {
  const long long dx = static_cast<long long>(to.x) - from.x;
  const long long dy = static_cast<long long>(to.y) - from.y;
  const long long steps = std::max(std::llabs(dx), std::llabs(dy));
  auto rounded = [steps](long long a) {  // a / steps, to the nearest, halves away from 0
    return a >= 0 ? (2 * a + steps) / (2 * steps) : -((-2 * a + steps) / (2 * steps));
  };
  // Only the steps that can land in the picture are walked: a line far outside it (its ends
  // may lie millions of pixels away) costs nothing.
  double first = 0, last = static_cast<double>(steps);
  auto keep_within = [&](long long start, long long d, int size) {
    if (d == 0) {
      if (start < 0 || start >= size) last = -1;
      return;
    }
    double a = (-1.0 - start) * steps / d, b = (size + 1.0 - start) * steps / d;
    first = std::max(first, std::min(a, b) - 1);
    last = std::min(last, std::max(a, b) + 1);
  };
  keep_within(from.x, dx, width_);
  keep_within(from.y, dy, height_);
  const long long begin = static_cast<long long>(std::max(first, 0.0));
  const long long end = static_cast<long long>(std::min(last, static_cast<double>(steps)));
  for (long long i = begin; i < end; ++i) {
    const long long x = from.x + rounded(i * dx);
    const long long y = from.y + rounded(i * dy);
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
      pixels_[static_cast<std::size_t>(y) * stride_ + x] = colour;
    }
  }
}

void CairoPicture::line(Point from, Point to, const Pen& pen) {
  const int w = pen_pixels(pen);
  if (w == 1) {
    begin_direct();
    thin_line(from, to, packed(pen.colour));
    return;
  }
  begin_cairo();
  cairo_new_path(cr_);
  cairo_move_to(cr_, from.x + 0.5, from.y + 0.5);
  cairo_line_to(cr_, to.x + 0.5, to.y + 0.5);
  set_source(cr_, pen.colour);
  cairo_set_line_width(cr_, w);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr_);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
}

void CairoPicture::set_layout_text(std::string_view text, int height) {
  if (height != font_height_) {
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, kFontFace);
    pango_font_description_set_absolute_size(
        font, static_cast<double>(height > 0 ? height : kDefaultTextHeight) * PANGO_SCALE);
    pango_layout_set_font_description(layout_, font);
    pango_font_description_free(font);
    font_height_ = height;
  }
  // Pango wants valid UTF-8; the library's text is bytes.
  const std::string utf8 = display_utf8(text);
  pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));
}

Extent CairoPicture::text_extent(std::string_view text, int height) {
  set_layout_text(text, height);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout_, &w, &h);
  return {w, h};
}

void CairoPicture::text_out(Point at, std::string_view text, int height, Rgb colour) {
  if (text.empty()) return;
  begin_cairo();
  set_layout_text(text, height);
  set_source(cr_, colour);
  cairo_move_to(cr_, at.x, at.y);
  pango_cairo_show_layout(cr_, layout_);
}

bool CairoPicture::write_png(const std::string& path) const {
  cairo_surface_flush(surface_);
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void CairoPicture::copy_from(const CairoPicture& other) {
  cairo_surface_flush(other.surface_);
  begin_direct();
  const int rows = std::min(height_, other.height_);
  const int cols = std::min(width_, other.width_);
  for (int y = 0; y < rows; ++y) {
    std::memcpy(pixels_ + static_cast<std::size_t>(y) * stride_,
                other.pixels_ + static_cast<std::size_t>(y) * other.stride_,
                static_cast<std::size_t>(cols) * 4);
  }
}

Rgb CairoPicture::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0};
  cairo_surface_flush(surface_);
  std::uint32_t v = pixels_[static_cast<std::size_t>(y) * stride_ + x];
  return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v)};
}

}  // namespace zr590::platform
