// The off-screen picture on a Cairo image surface, shared by the headless and GTK backends.
// Antialiasing is off and the figures are placed on exact pixels, so the window shows the
// same pixels that headless tests check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;
typedef struct _PangoLayout PangoLayout;

namespace zr590::platform {

class CairoPicture final : public Picture {
 public:
  CairoPicture(int width = kPictureWidth, int height = kPictureHeight);
  ~CairoPicture() override;
  CairoPicture(const CairoPicture&) = delete;
  CairoPicture& operator=(const CairoPicture&) = delete;

  void rectangle(Box box, const Pen& pen, const Brush& brush) override;
  void ellipse(Box box, const Pen& pen, const Brush& brush) override;
  void polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) override;
  void line(Point from, Point to, const Pen& pen) override;
  Extent text_extent(std::string_view text, int height) override;
  void text_out(Point at, std::string_view text, int height, Rgb colour) override;
  bool write_png(const std::string& path) const override;

  // Copies every pixel of `other` (of the same size) into this picture.
  void copy_from(const CairoPicture& other);
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel at (x, y); black outside the picture.
  Rgb pixel(int x, int y) const;
  cairo_surface_t* surface() const { return surface_; }

 private:
  // Pixels are written directly for rectangles, ellipses and thin lines (far faster than
  // stroking), and through Cairo for the rest; these keep Cairo's view of the surface in step.
  void begin_direct();
  void begin_cairo();
  void fill_span(long long y, long long x0, long long x1, std::uint32_t colour);  // inclusive
  void fill_box(long long left, long long top, long long right, long long bottom,
                std::uint32_t colour);  // right and bottom exclusive
  void set_layout_text(std::string_view text, int height);
  void fill_triangle(const Point (&points)[3], std::uint32_t colour);
  void thin_line(Point from, Point to, std::uint32_t colour);

  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
  std::uint32_t* pixels_;
  int stride_;  // in pixels
  PangoLayout* layout_;
  int font_height_ = -1;
  bool direct_ = true;
};

}  // namespace zr590::platform
