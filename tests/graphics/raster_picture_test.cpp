// The raster picture: the same figures as the Cairo picture, and text and wide pens of its own,
// all of them cut cleanly by a clip rectangle.
#include "platform/raster/raster_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "platform/cairo/cairo_picture.h"

namespace zr590::testing {
namespace {

using platform::Box;
using platform::Brush;
using platform::CairoPicture;
using platform::Pen;
using platform::Picture;
using platform::Point;
using platform::Rgb;
using platform::RasterPicture;

constexpr int kSide = 96;
constexpr Rgb kPaper{255, 255, 255}, kInk{200, 0, 0}, kPaint{0, 0, 255};

void clear(Picture& picture) {
  picture.rectangle({0, 0, kSide, kSide}, {1, kPaper}, {false, kPaper});
}

template <typename A, typename B>
void expect_same_pixels(const A& a, const B& b, const std::string& what) {
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << what << " at " << x << "," << y;
}

TEST(RasterPictureTest, FiguresAndThinLinesArePixelForPixelThoseOfTheCairoPicture) {
  std::mt19937 random(17);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  CairoPicture cairo(kSide, kSide);
  RasterPicture web(kSide, kSide);
  for (int n = 0; n < 300; ++n) {
    const Point a{in(-10, 100), in(-10, 100)}, b{in(-10, 100), in(-10, 100)},
        c{in(-10, 100), in(-10, 100)};
    const Box box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                  std::max(a.y, b.y) + 1};
    const Pen wide{in(0, 5), kInk}, thin{in(0, 1), kInk};
    const Brush brush{in(0, 1) == 1, kPaint};
    const int figure = n % 4;
    for (Picture* picture : {static_cast<Picture*>(&cairo), static_cast<Picture*>(&web)}) {
      clear(*picture);
      if (figure == 0) picture->rectangle(box, wide, brush);
      if (figure == 1) picture->ellipse(box, wide, brush);
      if (figure == 2) picture->polygon({a, b, c}, thin, brush);
      if (figure == 3) picture->line(a, c, thin);
    }
    expect_same_pixels(cairo, web, "figure " + std::to_string(figure) + " of " + std::to_string(n));
  }
}

TEST(RasterPictureTest, TextMeasuresAsTheCairoPictureMeasuresIt) {
  CairoPicture cairo(kSide, kSide);
  RasterPicture web(kSide, kSide);
  for (const char* text : {"PICK", "RESIZE", "FILL:", "Hello, World!", "AVATAR To Wa", "x",
                           "caf\xc3\xa9", "\xe9t\xe9", ""}) {
    for (int height : {0, 9, 13, 20, 47}) {
      const platform::Extent expected = cairo.text_extent(text, height),
                             got = web.text_extent(text, height);
      EXPECT_EQ(got.width, expected.width) << text << " at " << height;
      EXPECT_EQ(got.height, expected.height) << text << " at " << height;
    }
  }
}

TEST(RasterPictureTest, TextIsSolidInkInsideItsCells) {
  for (const auto& [text, height] :
       std::initializer_list<std::pair<const char*, int>>{{"HEM", 12}, {"ill", 30}, {"MW", 0}}) {
    RasterPicture web(kSide, kSide);
    clear(web);
    const Point at{7, 9};
    web.text_out(at, text, height, kInk);
    const platform::Extent cell = web.text_extent(text, height);
    int ink = 0;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        const Rgb pixel = web.pixel(x, y);
        if (pixel == kPaper) continue;
        ASSERT_EQ(pixel, kInk) << text << ": no blending";
        ASSERT_TRUE(x >= at.x && x < at.x + cell.width && y >= at.y && y < at.y + cell.height)
            << text << " inks " << x << "," << y << " outside its cells";
        ++ink;
      }
    }
    EXPECT_GT(ink, cell.width * cell.height / 10) << text;
  }
}

// Distance from the centre of pixel p to the segment from a to b.
double distance(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
  double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

TEST(RasterPictureTest, WideLinesPaintThePixelsWithinHalfTheirWidthRoundEndsIncluded) {
  std::mt19937 random(3);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int n = 0; n < 200; ++n) {
    const Point a{in(10, 85), in(10, 85)}, b{n % 5 == 0 ? a : Point{in(10, 85), in(10, 85)}};
    const int width = in(2, 9);
    RasterPicture web(kSide, kSide);
    clear(web);
    web.line(a, b, {width, kInk});
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        const double d = distance({x, y}, a, b) - width / 2.0;
        if (std::fabs(d) < 1e-5) continue;  // a tie, settled either way
        ASSERT_EQ(web.pixel(x, y) == kInk, d < 0)
            << "width " << width << " from " << a.x << "," << a.y << " to " << b.x << "," << b.y
            << " at " << x << "," << y;
      }
    }
  }
}

TEST(RasterPictureTest, AnEvenWidthLevelLineTakesItsExtraRowAboveAndColumnLeft) {
  for (int width = 2; width <= 8; width += 2) {
    RasterPicture web(kSide, kSide);
    clear(web);
    web.line({20, 40}, {70, 40}, {width, kInk});
    web.line({40, 10}, {40, 30}, {width, kInk});
    for (int i = -width / 2; i <= width / 2; ++i) {
      const bool inked = i < width / 2;
      EXPECT_EQ(web.pixel(45, 40 + i) == kInk, inked) << "width " << width << " row " << i;
      EXPECT_EQ(web.pixel(40 + i, 20) == kInk, inked) << "width " << width << " column " << i;
    }
  }
}

// Frames are redrawn piecewise on this promise: whatever a call paints inside a clip rectangle
// is what it paints there unclipped, and nothing outside the rectangle changes.
TEST(RasterPictureTest, AClipCutsTextAndWidePensWithoutChangingThem) {
  std::mt19937 random(590);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  using Draw = std::function<void(RasterPicture&)>;
  for (int n = 0; n < 100; ++n) {
    const Point a{in(-20, 110), in(-20, 110)}, b{in(-20, 110), in(-20, 110)},
        c{in(-20, 110), in(-20, 110)};
    const Pen pen{in(2, 7), kInk};
    const int height = in(8, 40);
    const Draw calls[] = {
        [&](RasterPicture& p) { p.text_out(a, "Clip Wg\xe9", height, kInk); },
        [&](RasterPicture& p) { p.line(a, b, pen); },
        [&](RasterPicture& p) {
          p.polygon({a, b, c}, pen, {false, kPaint});
        },
    };
    const Box clip{in(-5, 60), in(-5, 60), in(20, 100), in(20, 100)};
    for (const Draw& draw : calls) {
      RasterPicture whole(kSide, kSide), cut(kSide, kSide);
      clear(whole);
      clear(cut);
      draw(whole);
      cut.set_clip(clip);
      draw(cut);
      for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
          const bool kept = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
          ASSERT_EQ(cut.pixel(x, y), kept ? whole.pixel(x, y) : kPaper)
              << "call " << (&draw - calls) << " of " << n << " at " << x << "," << y;
        }
      }
    }
  }
}

// What lets a frame redraw text only where it changed: the box the picture gives holds every
// pixel the text paints.
TEST(RasterPictureTest, TextBoundsHoldEveryPixelTheTextPaints) {
  const char* texts[] = {"jWg", "\xc5\xc7 f/", "_|[", "Clip Wg\xe9"};
  for (const char* text : texts) {
    for (int height : {0, 9, 31}) {
      RasterPicture picture(kSide, kSide);
      clear(picture);
      const Point at{30, 30};
      picture.text_out(at, text, height, kInk);
      const Box box = picture.text_bounds(at, text, height);
      for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
          if (picture.pixel(x, y) == kPaper) continue;
          ASSERT_TRUE(x >= box.left && x < box.right && y >= box.top && y < box.bottom)
              << text << " at height " << height << ": " << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace zr590::testing
