// The platform-neutral raster against the definitions of its figures, worked out here the
// slow, obvious way, and against itself cut by a clip rectangle.
#include "platform/raster/raster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace zr590::testing {
namespace {

using platform::Box;
using platform::Point;
using raster::Fill;
using raster::Raster;

constexpr std::uint32_t kPaper = 0, kInk = 1, kPaint = 2;

struct Canvas {
  static constexpr int kSide = 64, kStride = 70;  // a stride wider than the rows, as surfaces have
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(kSide * kStride, kPaper);
  Raster raster{pixels.data(), kSide, kSide, kStride};
  std::uint32_t at(int x, int y) const { return pixels[y * kStride + x]; }
};

// Checks every pixel of the canvas against `expected`.
void expect_pixels(const Canvas& canvas, const std::function<std::uint32_t(int, int)>& expected,
                   const std::string& what) {
  for (int y = 0; y < Canvas::kSide; ++y)
    for (int x = 0; x < Canvas::kSide; ++x)
      ASSERT_EQ(canvas.at(x, y), expected(x, y)) << what << " at " << x << "," << y;
}

bool in_ellipse(double x, double y, Box b) {
  const double nx = (x + 0.5 - (b.left + b.right) / 2.0) / ((b.right - b.left) / 2.0);
  const double ny = (y + 0.5 - (b.top + b.bottom) / 2.0) / ((b.bottom - b.top) / 2.0);
  return b.right > b.left && b.bottom > b.top && nx * nx + ny * ny <= 1.0 + 1e-12;
}

TEST(RasterTest, WidePenEllipseIsTheBandBetweenTheBoxGrownAndShrunk) {
  for (int pen = 2; pen <= 5; ++pen) {
    const int out = (pen - 1) / 2, in = pen / 2 + 1;
    for (int w = 1; w <= 30; ++w) {
      for (int h = 1; h <= 30; h += 3) {
        Canvas canvas;
        const Box box{10, 12, 10 + w, 12 + h};
        canvas.raster.ellipse(box, pen, kInk, {false, 0});
        const Box outer{box.left - out, box.top - out, box.right + out, box.bottom + out};
        const Box inner{box.left + in, box.top + in, box.right - in, box.bottom - in};
        expect_pixels(
            canvas,
            [&](int x, int y) {
              return in_ellipse(x, y, outer) && !in_ellipse(x, y, inner) ? kInk : kPaper;
            },
            std::to_string(w) + "x" + std::to_string(h) + " pen " + std::to_string(pen));
      }
    }
  }
}

// Boxes too large for a table work out their rows another way; both ways meet the definition.
TEST(RasterTest, EllipsesBeyondTheTableSizeStayExact) {
  for (long long side : {raster::EllipseRows::kTableSide, raster::EllipseRows::kTableSide + 1,
                         3 * raster::EllipseRows::kTableSide + 7}) {
    Canvas canvas;
    // The rim crosses the canvas diagonally, where every row's end moves.
    const int corner = static_cast<int>(32 - side / 2 + side * 0.3536);
    const Box box{corner, corner, static_cast<int>(corner + side),
                  static_cast<int>(corner + side - 3)};
    canvas.raster.ellipse(box, 1, kInk, {true, kPaint});
    expect_pixels(
        canvas,
        [&](int x, int y) {
          if (!in_ellipse(x, y, box)) return kPaper;
          const bool rim = !in_ellipse(x - 1, y, box) || !in_ellipse(x + 1, y, box) ||
                           !in_ellipse(x, y - 1, box) || !in_ellipse(x, y + 1, box);
          return rim ? kInk : kPaint;
        },
        "side " + std::to_string(side));
  }
}

long long cross(Point a, Point b, Point p) {
  return (static_cast<long long>(b.x) - a.x) * (p.y - a.y) -
         (static_cast<long long>(b.y) - a.y) * (p.x - a.x);
}

// A one-pixel line, the slow way: each step rounds the exact position, halves away from 0.
std::vector<Point> line_pixels(Point a, Point b) {
  const long long dx = b.x - a.x, dy = b.y - a.y;
  const long long steps = std::max(std::llabs(dx), std::llabs(dy));
  std::vector<Point> pixels;
  for (long long i = 0; i < steps; ++i) {
    pixels.push_back({a.x + static_cast<int>(std::round(double(i) * dx / steps)),
                      a.y + static_cast<int>(std::round(double(i) * dy / steps))});
  }
  return pixels;
}

TEST(RasterTest, TrianglesFillThePixelCentresInsideAndOutlineWithThinLines) {
  std::mt19937 random(13);
  auto coordinate = [&] { return std::uniform_int_distribution<int>(-20, 80)(random); };
  for (int n = 0; n < 400; ++n) {
    const Point p[3] = {{coordinate(), coordinate()},
                        {coordinate(), coordinate()},
                        {coordinate(), coordinate() / 8 * 8}};
    Canvas canvas;
    canvas.raster.thin_triangle(p, kInk, {true, kPaint});
    std::vector<bool> outline(Canvas::kSide * Canvas::kSide, false);
    for (int k = 0; k < 3; ++k) {
      for (Point q : line_pixels(p[k], p[(k + 1) % 3])) {
        if (q.x >= 0 && q.y >= 0 && q.x < Canvas::kSide && q.y < Canvas::kSide)
          outline[q.y * Canvas::kSide + q.x] = true;
      }
    }
    expect_pixels(
        canvas,
        [&](int x, int y) {
          if (outline[y * Canvas::kSide + x]) return kInk;
          const long long c0 = cross(p[0], p[1], {x, y}), c1 = cross(p[1], p[2], {x, y}),
                          c2 = cross(p[2], p[0], {x, y});
          const bool inside =
              ((c0 >= 0 && c1 >= 0 && c2 >= 0) || (c0 <= 0 && c1 <= 0 && c2 <= 0)) &&
              x >= std::min({p[0].x, p[1].x, p[2].x}) && x <= std::max({p[0].x, p[1].x, p[2].x}) &&
              y >= std::min({p[0].y, p[1].y, p[2].y}) && y <= std::max({p[0].y, p[1].y, p[2].y});
          return inside ? kPaint : kPaper;
        },
        "triangle " + std::to_string(n));
  }
}

// Whatever a figure paints inside a clip rectangle is what it paints there unclipped, and
// nothing outside the rectangle changes: frames are redrawn piecewise on that promise.
TEST(RasterTest, AClipCutsEveryFigureWithoutChangingIt) {
  std::mt19937 random(590);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  using Draw = std::function<void(Raster&)>;
  for (int n = 0; n < 600; ++n) {
    const Point a{in(-30, 90), in(-30, 90)}, b{in(-30, 90), in(-30, 90)},
        c{in(-4000000, 4000000), in(-30, 90)};
    const Box box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    const int pen = in(0, 4);
    const Fill fill{in(0, 1) == 1, static_cast<std::uint32_t>(in(1, 2))};
    const Draw figures[] = {
        [&](Raster& r) { r.rectangle(box, pen, kInk, fill); },
        [&](Raster& r) { r.ellipse(box, pen, kInk, fill); },
        [&](Raster& r) {
          r.thin_triangle({a, b, c}, kInk, fill);
        },
        [&](Raster& r) { r.thin_line(a, c, kInk); },
    };
    const Box clip{in(-5, 60), in(-5, 60), in(-5, 70), in(-5, 70)};
    for (const Draw& draw : figures) {
      Canvas whole, cut;
      draw(whole.raster);
      cut.raster.set_clip(clip);
      draw(cut.raster);
      expect_pixels(
          cut,
          [&](int x, int y) {
            const bool kept = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            return kept ? whole.at(x, y) : kPaper;
          },
          "figure " + std::to_string(&draw - figures) + " of " + std::to_string(n));
    }
  }
}

}  // namespace
}  // namespace zr590::testing
