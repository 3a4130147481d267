// Pictures saved as PNG (read back by Cairo's decoder, which nobody here wrote) and figures
// saved as SVG.
#include <cairo.h>
#include <gtest/gtest.h>

#include <zr590/display.h>

#include <fstream>
#include <sstream>

#include "platform/png_encoder.h"
#include "svg_file.h"
#include "temp_dir_fixture.h"

namespace zr590::testing {
namespace {

using platform::Rgb;

std::vector<Rgb> decode(const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
  std::vector<Rgb> pixels;
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
    const auto* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(
          data + static_cast<std::size_t>(y) * cairo_image_surface_get_stride(s));
      for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
        pixels.push_back({static_cast<std::uint8_t>(row[x] >> 16),
                          static_cast<std::uint8_t>(row[x] >> 8), static_cast<std::uint8_t>(row[x])});
      }
    }
  }
  cairo_surface_destroy(s);
  return pixels;
}

class PictureFileTest : public TempDirLibraryTest {};

// Plain areas, runs longer than one repeat can say, rows equal to the one above, and noise
// that no filter helps: every pixel comes back.
TEST_F(PictureFileTest, PngKeepsEveryPixel) {
  const int w = 301, h = 40;
  std::vector<Rgb> pixels(static_cast<std::size_t>(w) * h, Rgb{255, 255, 255});
  unsigned seed = 1;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      Rgb& p = pixels[static_cast<std::size_t>(y) * w + x];
      if (y >= 10 && y < 20) p = x % 3 == 0 ? Rgb{1, 2, 3} : Rgb{250, 0, 7};
      if (y >= 30) {
        seed = seed * 1103515245 + 12345;
        p = {static_cast<std::uint8_t>(seed >> 8), static_cast<std::uint8_t>(seed >> 16),
             static_cast<std::uint8_t>(seed >> 24)};
      }
    }
  }
  std::ofstream("noise.png", std::ios::binary) << platform::encode_png(pixels, w, h);
  EXPECT_EQ(decode("noise.png"), pixels);
}

TEST_F(PictureFileTest, SavePictureWritesWhatThePictureHolds) {
  open();
  ZR590_rectangle(2, -50, 50, 50, -50, 0);
  ZR590_text(4, -100, 100, 12, "text");
  ASSERT_EQ(ZR590_save_picture("picture.png"), 1);
  EXPECT_EQ(decode("picture.png"), platform_.picture_surface().read_pixels());
}

TEST_F(PictureFileTest, SavePictureFailsWithTheReason) {
  EXPECT_EQ(ZR590_save_picture(""), 0);
  EXPECT_EQ(ZR590_save_picture("nowhere/p.png"), 0);
  const std::vector<std::string> said = lines();
  ASSERT_EQ(said.size(), 2u);
  EXPECT_NE(said[0].find("no file name"), std::string::npos) << said[0];
  EXPECT_NE(said[1].find("nowhere/p.png: No such file or directory"), std::string::npos)
      << said[1];
  reset_library_state();  // as at program load: no graphics window yet
  EXPECT_EQ(ZR590_save_picture("early.png"), 0);
  EXPECT_FALSE(std::filesystem::exists("early.png"));
}

// One element per figure, in order, in the colour table's colours; a 1-pixel outline runs along
// the inside of the box, a filled box covers it whole.
TEST_F(PictureFileTest, SvgHasOneElementPerFigureInOrder) {
  const Figure figures[] = {
      {Figure::Rectangle, 2, 0, -10, 10, 10, -10, 0, 0},
      {Figure::Oval, 4, 1, -10, 10, 9, -9, 0, 0},
      {Figure::Triangle, 23, 0, 0, 0, 10, 0, 0, 10},
  };
  const std::string svg = figures_svg(figures, 3, {300, 270});
  const std::size_t rect = svg.find(R"(<rect x="290" y="260" width="21" height="21" fill="#FF0000"/>)");
  const std::size_t oval =
      svg.find(R"(<ellipse cx="300" cy="270" rx="9.5" ry="9.5" fill="none" stroke="#0000FF")");
  const std::size_t triangle =
      svg.find(R"(<polygon points="300.5,270.5 310.5,270.5 300.5,260.5" fill="#CCCCCC")");
  EXPECT_NE(svg.find(R"(shape-rendering="crispEdges")"), std::string::npos);
  EXPECT_LT(svg.find(R"(fill="#FFFFFF")"), rect) << svg;
  EXPECT_LT(rect, oval) << svg;
  EXPECT_LT(oval, triangle) << svg;
  EXPECT_NE(triangle, std::string::npos) << svg;
}

}  // namespace
}  // namespace zr590::testing
