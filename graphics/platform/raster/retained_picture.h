// A picture that keeps the calls drawn since the last clear and draws, when its pixels are
// needed, only where they differ from the frame drawn before.
//
// A call that fills the whole picture (the library's clear) begins a frame. While a frame is
// recorded, each call is compared with the call at the same place in the last frame; once they
// part, the rest is kept. When the pixels are needed, settle() finds the calls the two frames
// do not share (their common start and end are cheap to find), takes the boxes those calls
// cover, old and new, and draws the new frame again inside those boxes only. An identical
// frame draws nothing. Calls made outside a frame (a program that never clears, or drawing
// after the frame was shown) are drawn as they come, in small batches. Every pixel comes out
// as drawing each call at once would have left it: each call paints its pixels in one opaque
// colour whatever lies beneath, and a clip cuts a call without changing it.
//
// The raster draws the figures; a backend derived from this draws what the raster does not
// (wide-pen triangles and lines, text) and measures text.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/platform.h"
#include "platform/raster/damage.h"
#include "platform/raster/draw_list.h"
#include "platform/raster/raster.h"

namespace zr590::raster {

using platform::Brush;
using platform::Pen;
using platform::Rgb;

class RetainedPicture : public platform::Picture {
 public:
  // The buffer as for Raster; `pack` gives the 32-bit pixel value of a colour.
  using Pack = std::uint32_t (*)(Rgb);
  RetainedPicture(std::uint32_t* pixels, int width, int height, int stride, Pack pack);

  void rectangle(Box box, const Pen& pen, const Brush& brush) final;
  void ellipse(Box box, const Pen& pen, const Brush& brush) final;
  void polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) final;
  void line(Point from, Point to, const Pen& pen) final;
  void text_out(Point at, std::string_view text, int height, Rgb colour) final;

  // Draws what the calls since the last settle changed. Whatever reads the pixels calls this
  // first.
  void settle();
  // The box of the pixels changed since the last call of this (after settling).
  Box take_changes();
  // Forgets the last frame, so that the next is drawn whole (benchmarks measure that).
  void forget_frame();

 protected:
  // What the raster does not draw, drawn by the backend without touching pixels outside
  // `clip`.
  virtual void draw_wide_polygon(const Point (&points)[3], const Pen& pen, const Brush& brush,
                                 Box clip) = 0;
  virtual void draw_wide_line(Point from, Point to, const Pen& pen, Box clip) = 0;
  virtual void draw_text(Point at, std::string_view text, int height, Rgb colour, Box clip) = 0;
  // A box holding every pixel that draw_text may paint for this text.
  virtual Box text_bounds(Point at, std::string_view text, int height) = 0;
  // The raster is about to write pixels itself.
  virtual void before_raster() {}
  // Every pixel was overwritten from elsewhere: nothing recorded describes them any more.
  void pixels_replaced();

 private:
  void record(const DrawOp& op, std::string_view text = {});
  void settle_frame();
  // Draws the records of `list` on top of the picture, whole.
  void draw_on_top(const DrawList& list);
  void draw_within(const DrawOp& op, std::string_view text, const Damage& damage);
  void draw(const DrawOp& op, std::string_view text, Box clip);
  Box bounds(const DrawOp& op, std::string_view text);
  bool fills_picture(const DrawOp& op) const;

  Raster raster_;
  Pack pack_;
  Box whole_;
  // The frame the pixels show, when `shown_complete_`; else empty (the pixels hold more than
  // any list describes).
  DrawList shown_;
  bool shown_complete_ = false;
  std::size_t frame_size_ = 0;  // records of the last frame drawn
  // A frame being recorded: its first `matched_` records equal the shown frame's, the rest
  // are in `tail_`. Outside a frame, `tail_` holds the calls not yet drawn.
  bool in_frame_ = false;
  bool parted_ = false;
  std::size_t matched_ = 0;
  DrawList tail_;
  Box changes_{0, 0, 0, 0};
};

}  // namespace zr590::raster
