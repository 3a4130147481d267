// The off-screen picture on a Cairo image surface, shared by the headless and GTK backends.
// Antialiasing is off and the figures are placed on exact pixels, so the window shows the
// same pixels that headless tests check. The platform-neutral raster draws straight into the
// surface's pixels; Cairo draws only what the raster does not: wide-pen triangles and lines,
// and text (Pango, one layout kept per text and size).
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/platform.h"
#include "platform/raster/raster.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;
typedef struct _PangoContext PangoContext;
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
  // The raster writes pixels directly, Cairo through its own view of the surface; these keep
  // the two in step.
  void begin_direct();
  void begin_cairo();
  // The layout of `text` at `height`, made on first use and kept while it is used.
  PangoLayout* layout(std::string_view text, int height);
  void set_layout_text(PangoLayout* layout, std::string_view text, int height);

  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
  std::uint32_t* pixels_;
  int stride_;  // in pixels
  raster::Raster raster_;
  PangoContext* text_context_;
  // Layouts by size and text, the most recently used first.
  struct Layout {
    std::string key;
    PangoLayout* layout;
  };
  std::list<Layout> layouts_;
  std::unordered_map<std::string_view, std::list<Layout>::iterator> layout_index_;
  std::string key_;  // scratch for look-ups
  bool direct_ = true;
};

}  // namespace zr590::platform
