// A session's picture: draws into the raster picture and notes the boxes that text and wide
// pens painted, where the Cairo picture's pixels differ by design. The page hands them to the
// tests, which compare a session's picture with shape-replay's everywhere else.
#pragma once

#include <set>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "platform/raster/raster_picture.h"

namespace zr590::platform::web {

class NotingPicture final : public Picture {
 public:
  // Each box is grown by `margin` and kept within the picture.
  NotingPicture(RasterPicture& inner, int margin) : inner_(inner), margin_(margin) {}

  using NotedBox = std::tuple<int, int, int, int>;  // left, top, right, bottom
  const std::set<NotedBox>& boxes() const { return noted_; }

  void rectangle(Box box, const Pen& pen, const Brush& brush) override {
    inner_.rectangle(box, pen, brush);
  }
  void ellipse(Box box, const Pen& pen, const Brush& brush) override {
    inner_.ellipse(box, pen, brush);
  }
  void polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) override;
  void line(Point from, Point to, const Pen& pen) override;
  Extent text_extent(std::string_view text, int height) override {
    return inner_.text_extent(text, height);
  }
  void text_out(Point at, std::string_view text, int height, Rgb colour) override;
  std::vector<Rgb> read_pixels() const override;
  bool can_clip() const override { return true; }
  void set_clip(Box clip) override { inner_.set_clip(clip); }
  Box text_bounds(Point at, std::string_view text, int height) override {
    return inner_.text_bounds(at, text, height);
  }

 private:
  void note_wide(Point from, Point to, int width);
  void note(long long left, long long top, long long right, long long bottom);

  RasterPicture& inner_;
  int margin_;
  std::set<NotedBox> noted_;
};

}  // namespace zr590::platform::web
