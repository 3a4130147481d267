// Exact pixels of the renderer on the shared Cairo picture.
#include <cmath>

#include "library_fixture.h"
#include "platform/cairo/cairo_picture.h"

namespace zr590::testing {
namespace {

class RendererTest : public LibraryTest {
 protected:
  // Counts the pixels of colour c in the picture.
  int count(platform::Rgb c) {
    int n = 0;
    for (int y = 0; y < platform::kPictureHeight; ++y)
      for (int x = 0; x < platform::kPictureWidth; ++x) n += at(x, y) == c;
    return n;
  }
};

TEST_F(RendererTest, RectangleWithBothCornersAtTheOriginIsOnePixel) {
  open();
  ZR590_rectangle(4, 0, 0, 0, 0, 1);
  EXPECT_EQ(at_point(0, 0), kBlue);
  EXPECT_EQ(count(kBlue), 1);
}

TEST_F(RendererTest, FilledRectangleCoversBothCornersInclusive) {
  open();
  ZR590_rectangle(4, -2, 2, 2, -2, 0);
  EXPECT_EQ(count(kBlue), 25);
  for (int x = -2; x <= 2; ++x)
    for (int y = -2; y <= 2; ++y) EXPECT_EQ(at_point(x, y), kBlue) << x << "," << y;
}

TEST_F(RendererTest, OutlineRunsThroughTheCornerColumnsAndRows) {
  open();
  ZR590_rectangle(2, -5, 4, 5, -4, 1);
  EXPECT_EQ(count(kRed), 2 * 11 + 2 * 7);
  EXPECT_EQ(at_point(-5, 4), kRed);
  EXPECT_EQ(at_point(5, -4), kRed);
  EXPECT_EQ(at_point(0, 0), kWhite);
  EXPECT_EQ(at_point(-4, 3), kWhite);
}

TEST_F(RendererTest, CircleOfRadiusTenFillsThePixelCentresOfTheInscribedEllipse) {
  open();
  ZR590_circle(4, 0, 0, 10);
  int inside = 0;
  for (int dx = -12; dx <= 12; ++dx) {
    for (int dy = -12; dy <= 12; ++dy) {
      bool expected = dx * dx + dy * dy <= 10.5 * 10.5;
      inside += expected;
      EXPECT_EQ(at_point(dx, dy) == kBlue, expected) << dx << "," << dy;
    }
  }
  EXPECT_EQ(count(kBlue), inside);
}

// Every filled ellipse from 1x1 to 24x17 is the set of pixel centres inside it, and its
// one-pixel outline is exactly the rim of that set.
TEST(CairoPictureTest, EllipsesMatchTheIdealPixelCentreSets) {
  platform::CairoPicture picture(64, 64);
  const platform::Pen pen{1, {0, 0, 255}};
  for (int w = 1; w <= 24; ++w) {
    for (int h = 1; h <= 17; ++h) {
      picture.rectangle({0, 0, 64, 64}, {1, {255, 255, 255}}, {false, {255, 255, 255}});
      picture.ellipse({5, 7, 5 + w, 7 + h}, pen, {false, {0, 0, 255}});
      auto ideal = [&](int x, int y) {
        double nx = (x + 0.5 - (5 + w / 2.0)) / (w / 2.0);
        double ny = (y + 0.5 - (7 + h / 2.0)) / (h / 2.0);
        return nx * nx + ny * ny <= 1.0 + 1e-12;
      };
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
          ASSERT_EQ((picture.pixel(x, y) == platform::Rgb{0, 0, 255}), ideal(x, y))
              << w << "x" << h << " at " << x << "," << y;
      picture.rectangle({0, 0, 64, 64}, {1, {255, 255, 255}}, {false, {255, 255, 255}});
      picture.ellipse({5, 7, 5 + w, 7 + h}, pen, {true, {0, 0, 0}});
      for (int y = 1; y < 40; ++y) {
        for (int x = 1; x < 40; ++x) {
          bool rim = ideal(x, y) && !(ideal(x - 1, y) && ideal(x + 1, y) && ideal(x, y - 1) &&
                                      ideal(x, y + 1));
          ASSERT_EQ((picture.pixel(x, y) == platform::Rgb{0, 0, 255}), rim)
              << "outline " << w << "x" << h << " at " << x << "," << y;
        }
      }
    }
  }
}

// A copy into the same picture again takes only what changed in between, unless the target
// changed too or another picture was copied into it.
TEST(CairoPictureTest, EveryCopyBringsAcrossEveryPixel) {
  const platform::Rgb white{255, 255, 255}, red{255, 0, 0}, blue{0, 0, 255};
  platform::CairoPicture source(16, 16), other(16, 16), target(16, 16);
  auto paint = [](platform::CairoPicture& picture, platform::Box box, platform::Rgb colour) {
    picture.rectangle(box, {1, colour}, {false, colour});
  };
  auto expect_copy_of = [&](const platform::CairoPicture& from, const char* step) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) ASSERT_EQ(target.pixel(x, y), from.pixel(x, y)) << step;
  };
  paint(source, {0, 0, 16, 16}, white);
  paint(other, {0, 0, 16, 16}, blue);
  target.copy_from(source);
  paint(source, {2, 2, 5, 5}, red);
  target.copy_from(source);
  expect_copy_of(source, "a change in the source");
  paint(target, {8, 8, 12, 12}, blue);
  target.copy_from(source);
  expect_copy_of(source, "a change in the target");
  target.copy_from(other);
  target.copy_from(source);
  expect_copy_of(source, "another source in between");
}

TEST_F(RendererTest, LineLeavesItsEndPointUnpainted) {
  open();
  ZR590_line(0, 0, 0, 10, 0, 1);
  EXPECT_EQ(at_point(0, 0), kBlack);
  EXPECT_EQ(at_point(9, 0), kBlack);
  EXPECT_EQ(at_point(10, 0), kWhite);
  ZR590_line(0, 0, 5, 0, 20, 1);
  EXPECT_EQ(at_point(0, 19), kBlack);
  EXPECT_EQ(at_point(0, 20), kWhite);
  ZR590_line(4, 20, 20, 30, 30, 1);
  EXPECT_EQ(count(kBlue), 10);
}

// Thin lines step along their longer axis and round the other coordinate to the nearest pixel,
// as the original drawing service does; triangles are three such lines around the pixels whose
// centres lie inside.
TEST(CairoPictureTest, SlantedThinLinesAndTrianglesRoundToTheNearestPixel) {
  platform::CairoPicture picture(16, 16);
  const platform::Rgb white{255, 255, 255}, red{255, 0, 0};
  picture.rectangle({0, 0, 16, 16}, {1, white}, {false, white});
  // The colour marker's shape: a tip at (5, 7) under a base from (0, 0) to (10, 0).
  const platform::Point marker[3] = {{5, 7}, {0, 0}, {10, 0}};
  picture.polygon(marker, {0, red}, {false, red});
  const char* expected[] = {"RRRRRRRRRRR", ".RRRRRRRRR.", ".RRRRRRRRR.", "..RRRRRRR..",
                            "...RRRRR...", "....RRR....", "....RRR....", ".....R....."};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 11; ++x) {
      EXPECT_EQ(picture.pixel(x, y) == red, expected[y][x] == 'R') << x << "," << y;
    }
  }
  picture.rectangle({0, 0, 16, 16}, {1, white}, {false, white});
  picture.line({0, 0}, {7, 5}, {1, red});
  const int row_of[7] = {0, 1, 1, 2, 3, 4, 4};  // 5/7 per step, rounded
  for (int x = 0; x < 7; ++x) EXPECT_EQ(picture.pixel(x, row_of[x]), red) << x;
  EXPECT_EQ(picture.pixel(7, 5), white);
  // A line whose ends lie far outside still crosses the picture where it should.
  picture.rectangle({0, 0, 16, 16}, {1, white}, {false, white});
  picture.line({-4000000, 8}, {4000000, 8}, {1, red});
  picture.line({3, -4000000}, {3, 4000000}, {1, red});
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(picture.pixel(i, 8), red) << i;
    EXPECT_EQ(picture.pixel(3, i), red) << i;
  }
  EXPECT_EQ(picture.pixel(4, 9), white);
}

TEST_F(RendererTest, FilledTriangleHasItsOwnColourOutline) {
  open();
  ZR590_triangle(4, -10, -8, 0, 8, 10, -8, 0);
  EXPECT_EQ(at_point(0, 0), kBlue);
  EXPECT_EQ(at_point(-10, -8), kBlue);
  EXPECT_EQ(at_point(10, -8), kBlue);
  EXPECT_EQ(at_point(0, 8), kBlue);
  EXPECT_EQ(at_point(0, 10), kWhite);
  ZR590_triangle(2, 50, 50, 90, 50, 70, 90, 1);
  EXPECT_EQ(at_point(70, 60), kWhite);  // outlined only
  EXPECT_EQ(at_point(70, 50), kRed);
}

// The rows and columns holding pixels of colour c in a window of the picture.
struct Ink {
  int top = 1 << 30, bottom = -1, left = 1 << 30, right = -1;
};

TEST_F(RendererTest, TextStandsDirectlyAboveItsAnchor) {
  open();
  int h = platform_.picture().text_extent("PICK", 10).height;
  ASSERT_GT(h, 5);
  ZR590_text(0, 0, 0, 10, "PICK");
  Ink ink;
  for (int y = 0; y < platform::kPictureHeight; ++y) {
    for (int x = 0; x < platform::kPictureWidth; ++x) {
      if (at(x, y) != kBlack || x == 0 || x == 600 || y == 0 || y == 539) continue;
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
    }
  }
  // Anchor row 270: the cells occupy rows 270 - h .. 269.
  EXPECT_GE(ink.top, 270 - h);
  EXPECT_LE(ink.bottom, 269);
  EXPECT_GE(ink.left, 300);
  EXPECT_LE(ink.left, 302);
  EXPECT_GT(ink.right, ink.left + 15);
}

TEST_F(RendererTest, TwoLineTextStartsItsSecondLineAtTheAnchorRow) {
  open();
  int h = platform_.picture().text_extent("A\nB", 20).height;
  ZR590_text(4, 0, 0, 20, "A\nB");
  bool above = false, below = false, lower = false;
  for (int y = 0; y < platform::kPictureHeight; ++y) {
    for (int x = 290; x < 340; ++x) {
      if (at(x, y) != kBlue) continue;
      if (y >= 270 - h && y < 270) above = true;
      if (y >= 270 && y < 270 + h) below = true;
      if (y >= 270 + h) lower = true;
    }
  }
  EXPECT_TRUE(above);
  EXPECT_TRUE(below);
  EXPECT_FALSE(lower);
}

TEST_F(RendererTest, BackgroundIsWhiteWithAOnePixelBlackFrame) {
  open();
  ZR590_rectangle(4, -100, 100, 100, -100, 0);
  ZR590_clear();
  EXPECT_EQ(count(kBlack), 2 * 601 + 2 * 538);
  EXPECT_EQ(count(kWhite), 599 * 538);
  EXPECT_EQ(at(0, 0), kBlack);
  EXPECT_EQ(at(600, 539), kBlack);
  EXPECT_EQ(at(1, 1), kWhite);
}

TEST_F(RendererTest, FlushCopiesOnlyWhenThePictureChanged) {
  open(true);
  int before = platform_.copies();
  clear_lines();
  ZR590_flush();
  ZR590_flush();
  EXPECT_EQ(platform_.copies(), before + 1);
  EXPECT_EQ(lines(), (std::vector<std::string>{"Flushing the graphics window\n",
                                               "Flushing the graphics window\n"}));
  // Clearing alone does not reach the window.
  ZR590_rectangle(2, -300, 250, 300, -250, 0);
  ZR590_flush();
  ZR590_clear();
  EXPECT_EQ(platform_.window_surface().pixel(300, 270), kRed);
  EXPECT_EQ(at(300, 270), kWhite);
}

// A frame that draws what the last one drew leaves the picture as it was: an idle program's
// redraw copies nothing. A frame that differs is copied.
TEST_F(RendererTest, AFrameThatDrawsTheSameIsNotCopiedAgain) {
  open();
  const auto frame = [](int colour) {
    ZR590_clear();
    ZR590_rectangle(colour, -10, 10, 10, -10, 0);
    ZR590_flush();
  };
  frame(2);
  const int copies = platform_.copies();
  frame(2);
  EXPECT_EQ(platform_.copies(), copies);
  frame(4);
  EXPECT_EQ(platform_.copies(), copies + 1);
  EXPECT_EQ(platform_.window_surface().pixel(300, 270), kBlue);
}

}  // namespace
}  // namespace zr590::testing
