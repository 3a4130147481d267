// The off-screen picture on a Cairo image surface, shared by the headless and GTK backends.
// Antialiasing is off and the figures are placed on exact pixels, so the window shows the
// same pixels that headless tests check. The picture keeps its frames (RetainedPicture) and
// the platform-neutral raster draws the figures straight into the surface's pixels; Cairo
// draws only what the raster does not: wide-pen triangles and lines, and text (Pango, one
// layout kept per text and size).
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/platform.h"
#include "platform/raster/retained_picture.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;
typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;

namespace zr590::platform {

// An RGB24 image surface and its pixels, made before the picture that draws into them.
class CairoImage {
 public:
  CairoImage(int width, int height);
  ~CairoImage();
  CairoImage(const CairoImage&) = delete;
  CairoImage& operator=(const CairoImage&) = delete;

 protected:
  cairo_surface_t* surface_;
  std::uint32_t* pixels_;
  int stride_;  // in pixels
};

class CairoPicture final : private CairoImage, public raster::RetainedPicture {
 public:
  CairoPicture(int width = kPictureWidth, int height = kPictureHeight);
  ~CairoPicture() override;

  Extent text_extent(std::string_view text, int height) override;
  bool write_png(const std::string& path) const override;

  // Copies every pixel of `other` (of the same size) into this picture. Copying again into
  // the same picture copies only what changed in between.
  void copy_from(const CairoPicture& other);
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel at (x, y); black outside the picture.
  Rgb pixel(int x, int y) const;
  // The surface, its pixels up to date.
  cairo_surface_t* surface() const;

 private:
  void draw_wide_polygon(const Point (&points)[3], const Pen& pen, const Brush& brush,
                         Box clip) override;
  void draw_wide_line(Point from, Point to, const Pen& pen, Box clip) override;
  void draw_text(Point at, std::string_view text, int height, Rgb colour, Box clip) override;
  Box text_bounds(Point at, std::string_view text, int height) override;
  void before_raster() override;

  // The pixels as every call so far leaves them. Reading pixels draws what the frame
  // recorded: that is part of what the picture holds, so readers may be const.
  CairoPicture& settled() const;
  // Cairo draws within `clip` only, until the matching end_cairo().
  void begin_cairo(Box clip);
  void end_cairo();
  // The layout of `text` at `height`, made on first use and kept while it is used.
  PangoLayout* layout(std::string_view text, int height);
  void set_layout_text(PangoLayout* layout, std::string_view text, int height);

  int width_;
  int height_;
  cairo_t* cr_;
  PangoContext* text_context_;
  // Layouts by size and text, the most recently used first.
  struct Layout {
    std::string key;
    PangoLayout* layout;
  };
  std::list<Layout> layouts_;
  std::unordered_map<std::string_view, std::list<Layout>::iterator> layout_index_;
  std::string key_;  // scratch for look-ups
  // The raster writes pixels directly, Cairo through its own view of the surface.
  bool direct_ = true;
  // Drawn into by calls since this counter was last taken from the process-wide one.
  std::uint64_t generation_;
  // The picture this one was last copied into, and that picture's generation then.
  const CairoPicture* copied_to_ = nullptr;
  std::uint64_t copied_generation_ = 0;
};

}  // namespace zr590::platform
