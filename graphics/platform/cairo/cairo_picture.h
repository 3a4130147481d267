// The off-screen picture on a Cairo image surface, shared by the headless and GTK backends.
// Antialiasing is off and the figures are placed on exact pixels, so the window shows the
// same pixels that headless tests check. The platform-neutral raster draws the figures
// straight into the surface's pixels; Cairo draws only what the raster does not: wide-pen
// triangles and lines, and text (Pango, one layout kept per text and size). Both draw within
// a clip rectangle exactly as they would unclipped, which lets the library draw a frame again
// only where it changed.
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
  std::vector<Rgb> read_pixels() const override;
  bool can_clip() const override { return true; }
  void set_clip(Box clip) override;
  Box text_bounds(Point at, std::string_view text, int height) override;

  // Copies every pixel of `other` (of the same size) into this picture. Copying again into
  // the same picture copies only what was drawn in between.
  void copy_from(const CairoPicture& other);
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel at (x, y); black outside the picture.
  Rgb pixel(int x, int y) const;
  // The surface, with every drawing call made so far in its pixels.
  cairo_surface_t* surface() const;

 private:
  // Before the raster writes pixels: Cairo's drawing is in them, and the clip counts as drawn.
  void begin_direct();
  // Before Cairo draws: the raster's pixels are in Cairo's view. Returns the context to draw
  // with, until end_cairo().
  cairo_t* begin_cairo();
  void end_cairo();
  std::uint32_t* scratch_pixels() const;
  // The clip's rows from one buffer (of this picture's size) to another.
  void copy_clip(const std::uint32_t* from, int from_stride, std::uint32_t* to,
                 int to_stride) const;
  // The pixels as every call so far leaves them, for reading.
  void settled() const;
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
  Box clip_;
  bool clipped_ = false;  // the clip is less than the whole picture
  PangoContext* text_context_;
  // Where Cairo draws under a clip, made on first need.
  cairo_surface_t* scratch_ = nullptr;
  cairo_t* scratch_cr_ = nullptr;
  // Layouts by size and text, the most recently used first.
  struct Layout {
    std::string key;
    PangoLayout* layout;
  };
  std::list<Layout> layouts_;
  std::unordered_map<std::string_view, std::list<Layout>::iterator> layout_index_;
  std::string key_;  // scratch for look-ups
  mutable bool direct_ = true;
  // The box drawn in since the last copy out of this picture (copies out keep this record).
  mutable Box changed_{0, 0, 0, 0};
  // Drawn into since this value was last taken from a counter shared by all pictures.
  std::uint64_t generation_;
  // The picture this one was last copied into, and that one's generation just after.
  mutable const CairoPicture* copied_to_ = nullptr;
  mutable std::uint64_t copied_generation_ = 0;
};

}  // namespace zr590::platform
