// The off-screen picture of the web backend: the platform-neutral raster for figures and thin
// lines (the same pixels as the headless and GTK pictures), with its own wide pens and
// stb_truetype text. Pixels are kept as the browser's canvas takes them (R, G, B, A bytes), so
// a frame goes to the page with one copy. Plain C++: the native build tests it.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "platform/raster/raster.h"
#include "platform/web/text_font.h"

namespace zr590::platform::web {

class WebPicture final : public Picture {
 public:
  WebPicture(int width = kPictureWidth, int height = kPictureHeight);

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

  // Other pictures draw text and wide pens with other pixels. When noting is on, the picture
  // keeps the boxes that text and wide pens may have painted (grown by `margin`), so that a
  // comparison with another picture can leave them out.
  void note_approximate(int margin) { note_margin_ = margin; }
  using NotedBox = std::tuple<int, int, int, int>;  // left, top, right, bottom
  const std::set<NotedBox>& approximate_boxes() const { return noted_; }

 private:
  void note(long long left, long long top, long long right, long long bottom);

  int width_, height_;
  std::vector<std::uint32_t> pixels_;
  raster::Raster raster_;
  TextFont font_;
  int note_margin_ = -1;  // negative: not noting
  std::set<NotedBox> noted_;
};

}  // namespace zr590::platform::web
