// A complete picture in plain C++ for any backend whose window system takes pixels: the
// platform-neutral raster for figures and thin lines (the same pixels as the Cairo picture),
// its own wide pens and stb_truetype text with a compiled-in font. Pixels are R, G, B, A bytes,
// as a browser's canvas takes them. The web backend uses it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/raster/raster.h"
#include "platform/raster/text_font.h"

namespace zr590::platform {

class RasterPicture final : public Picture {
 public:
  RasterPicture(int width = kPictureWidth, int height = kPictureHeight);

  void rectangle(Box box, const Pen& pen, const Brush& brush) override;
  void ellipse(Box box, const Pen& pen, const Brush& brush) override;
  void polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) override;
  void line(Point from, Point to, const Pen& pen) override;
  Extent text_extent(std::string_view text, int height) override;
  void text_out(Point at, std::string_view text, int height, Rgb colour) override;
  std::vector<Rgb> read_pixels() const override;

  // Every call draws within a clip exactly as it would unclipped.
  bool can_clip() const override { return true; }
  void set_clip(Box clip) override { raster_.set_clip(clip); }
  Box text_bounds(Point at, std::string_view text, int height) override;

  int width() const { return width_; }
  int height() const { return height_; }
  // Rows top to bottom, 4 bytes a pixel (R, G, B, 255), no padding; every drawing call made so
  // far is in them.
  const std::uint8_t* rgba() const;
  // The pixel at (x, y); black outside the picture.
  Rgb pixel(int x, int y) const;

 private:
  int width_, height_;
  std::vector<std::uint32_t> pixels_;
  raster::Raster raster_;
  raster::TextFont font_;
};

}  // namespace zr590::platform
