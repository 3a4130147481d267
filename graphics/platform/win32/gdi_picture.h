// The off-screen picture drawn with GDI: a bitmap compatible with the graphics window's
// drawing context, selected into a memory context for the whole run. Every call creates the
// pen, brush or font it needs, makes it current, and puts the previous one back and releases
// its own before returning, so between calls the context keeps its initial objects.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace zr590::platform::win32 {

class GdiPicture final : public Picture {
 public:
  explicit GdiPicture(HDC compatible_with);
  ~GdiPicture() override;
  GdiPicture(const GdiPicture&) = delete;
  GdiPicture& operator=(const GdiPicture&) = delete;

  HDC dc() const { return dc_; }

  void rectangle(Box box, const Pen& pen, const Brush& brush) override;
  void ellipse(Box box, const Pen& pen, const Brush& brush) override;
  void polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) override;
  void line(Point from, Point to, const Pen& pen) override;
  Extent text_extent(std::string_view text, int height) override;
  void text_out(Point at, std::string_view text, int height, Rgb colour) override;
  std::vector<Rgb> read_pixels() const override;

 private:
  // Runs `draw` with a solid pen and the given brush current in the picture.
  template <typename Draw>
  void with_pen_and_brush(const Pen& pen, const Brush& brush, Draw draw);
  // Runs `draw` with the library's font of this character height current.
  template <typename Draw>
  void with_font(int height, Draw draw);

  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ initial_bitmap_;
};

}  // namespace zr590::platform::win32
