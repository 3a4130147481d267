#include "platform/cairo/cairo_picture.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstring>

#include "platform/text_encoding.h"

namespace zr590::platform {
namespace {

// Face standing in for the library's own font, and the height used for point size 0.
constexpr const char* kFontFace = "DejaVu Sans";
constexpr int kDefaultTextHeight = 12;
// Distinct texts whose layouts are kept: far more than a frame of the editor shows.
constexpr std::size_t kKeptLayouts = 1 << 8;

std::uint32_t packed(Rgb c) {
  return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

raster::Fill fill_of(const Brush& brush) {
  return {!brush.hollow, packed(brush.colour)};
}

void set_source(cairo_t* cr, Rgb c) {
  cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

int pen_pixels(const Pen& pen) {
  return std::max(pen.width, 1);
}

Box bounding(const Box& a, const Box& b) {
  if (a.left >= a.right || a.top >= a.bottom) return b;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// Pictures count their drawing on one counter, so that no two ever share a value.
std::uint64_t fresh_generation() {
  static std::uint64_t last = 0;
  return ++last;
}

}  // namespace

CairoPicture::CairoPicture(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)),
      pixels_(reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_))),
      stride_(cairo_image_surface_get_stride(surface_) / 4),
      raster_(pixels_, width, height, stride_),
      clip_{0, 0, width, height},
      text_context_(pango_cairo_create_context(cr_)),
      generation_(fresh_generation()) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  // A new picture's contents are not defined by the library; start it black, like a fresh
  // bitmap.
  std::fill(pixels_, pixels_ + static_cast<std::size_t>(stride_) * height_, 0xFF000000u);
  cairo_surface_mark_dirty(surface_);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(text_context_, options);
  cairo_font_options_destroy(options);
}

CairoPicture::~CairoPicture() {
  for (Layout& kept : layouts_) g_object_unref(kept.layout);
  if (scratch_ != nullptr) {
    cairo_destroy(scratch_cr_);
    cairo_surface_destroy(scratch_);
  }
  g_object_unref(text_context_);
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void CairoPicture::set_clip(Box clip) {
  raster_.set_clip(clip);
  clip_ = raster_.clip();
  clipped_ = clip_.left > 0 || clip_.top > 0 || clip_.right < width_ || clip_.bottom < height_;
}

void CairoPicture::begin_direct() {
  if (!direct_) {
    cairo_surface_flush(surface_);
    direct_ = true;
  }
  changed_ = bounding(changed_, clip_);
  generation_ = fresh_generation();
}

cairo_t* CairoPicture::begin_cairo() {
  if (direct_) {
    cairo_surface_mark_dirty(surface_);
    direct_ = false;
  }
  changed_ = bounding(changed_, clip_);
  generation_ = fresh_generation();
  if (!clipped_) return cr_;
  // Under a clip the figure is drawn whole on a scratch copy of the clipped pixels, and only
  // those are copied back: Cairo does not promise that a clip leaves the pixels inside it as
  // they would be unclipped (a wide stroke's edge moved where a clip cut it), and frames that
  // are drawn again piecewise need exactly that.
  if (scratch_ == nullptr) {
    scratch_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
    scratch_cr_ = cairo_create(scratch_);
    cairo_set_antialias(scratch_cr_, CAIRO_ANTIALIAS_NONE);
  }
  cairo_surface_flush(surface_);
  cairo_surface_flush(scratch_);
  copy_clip(pixels_, stride_, scratch_pixels(), stride_);
  cairo_surface_mark_dirty(scratch_);
  return scratch_cr_;
}

void CairoPicture::end_cairo() {
  if (!clipped_) return;
  cairo_surface_flush(scratch_);
  copy_clip(scratch_pixels(), stride_, pixels_, stride_);
  direct_ = true;  // written around Cairo's back
}

std::uint32_t* CairoPicture::scratch_pixels() const {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(scratch_));
}

void CairoPicture::copy_clip(const std::uint32_t* from, int from_stride, std::uint32_t* to,
                             int to_stride) const {
  for (int y = clip_.top; y < clip_.bottom; ++y) {
    std::memcpy(to + static_cast<std::size_t>(y) * to_stride + clip_.left,
                from + static_cast<std::size_t>(y) * from_stride + clip_.left,
                static_cast<std::size_t>(clip_.right - clip_.left) * 4);
  }
}

void CairoPicture::rectangle(Box box, const Pen& pen, const Brush& brush) {
  begin_direct();
  raster_.rectangle(box, pen.width, packed(pen.colour), fill_of(brush));
}

void CairoPicture::ellipse(Box box, const Pen& pen, const Brush& brush) {
  begin_direct();
  raster_.ellipse(box, pen.width, packed(pen.colour), fill_of(brush));
}

void CairoPicture::polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) {
  if (pen_pixels(pen) == 1) {
    // As the original drawing service does it: the interior is the pixels whose centres lie
    // inside, the outline three thin lines through the corner pixels.
    begin_direct();
    raster_.thin_triangle(points, packed(pen.colour), fill_of(brush));
    return;
  }
  cairo_t* cr = begin_cairo();
  cairo_new_path(cr);
  cairo_move_to(cr, points[0].x + 0.5, points[0].y + 0.5);
  cairo_line_to(cr, points[1].x + 0.5, points[1].y + 0.5);
  cairo_line_to(cr, points[2].x + 0.5, points[2].y + 0.5);
  cairo_close_path(cr);
  if (!brush.hollow) {
    set_source(cr, brush.colour);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill_preserve(cr);
  }
  set_source(cr, pen.colour);
  cairo_set_line_width(cr, pen_pixels(pen));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_stroke(cr);
  end_cairo();
}

void CairoPicture::line(Point from, Point to, const Pen& pen) {
  const int w = pen_pixels(pen);
  if (w == 1) {
    begin_direct();
    raster_.thin_line(from, to, packed(pen.colour));
    return;
  }
  cairo_t* cr = begin_cairo();
  cairo_new_path(cr);
  cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
  cairo_line_to(cr, to.x + 0.5, to.y + 0.5);
  set_source(cr, pen.colour);
  cairo_set_line_width(cr, w);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  end_cairo();
}

PangoLayout* CairoPicture::layout(std::string_view text, int height) {
  key_.assign(reinterpret_cast<const char*>(&height), sizeof height);
  key_.append(text);
  auto found = layout_index_.find(key_);
  if (found != layout_index_.end()) {
    layouts_.splice(layouts_.begin(), layouts_, found->second);
    return found->second->layout;
  }
  if (layouts_.size() >= kKeptLayouts) {
    layout_index_.erase(layouts_.back().key);
    g_object_unref(layouts_.back().layout);
    layouts_.pop_back();
  }
  PangoLayout* made = pango_layout_new(text_context_);
  // Line feeds and other control characters stay on the one line as glyphs.
  pango_layout_set_single_paragraph_mode(made, TRUE);
  set_layout_text(made, text, height);
  layouts_.push_front({key_, made});
  layout_index_.emplace(layouts_.front().key, layouts_.begin());
  return made;
}

void CairoPicture::set_layout_text(PangoLayout* layout, std::string_view text, int height) {
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, kFontFace);
  pango_font_description_set_absolute_size(
      font, static_cast<double>(height > 0 ? height : kDefaultTextHeight) * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  // Pango wants valid UTF-8; the library's text is bytes.
  const std::string utf8 = display_utf8(text);
  pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
}

Extent CairoPicture::text_extent(std::string_view text, int height) {
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout(text, height), &w, &h);
  return {w, h};
}

Box CairoPicture::text_bounds(Point at, std::string_view text, int height) {
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout(text, height), &ink, &logical);
  // The glyphs' ink and their cells, and a pixel more for rounding.
  const int left = std::min(ink.x, logical.x), top = std::min(ink.y, logical.y);
  const int right = std::max(ink.x + ink.width, logical.x + logical.width);
  const int bottom = std::max(ink.y + ink.height, logical.y + logical.height);
  return {at.x + left - 1, at.y + top - 1, at.x + right + 1, at.y + bottom + 1};
}

void CairoPicture::text_out(Point at, std::string_view text, int height, Rgb colour) {
  if (text.empty()) return;
  PangoLayout* shown = layout(text, height);
  cairo_t* cr = begin_cairo();
  set_source(cr, colour);
  cairo_move_to(cr, at.x, at.y);
  pango_cairo_show_layout(cr, shown);
  end_cairo();
}

void CairoPicture::settled() const {
  settle_drawing(*this);
  if (!direct_) {
    cairo_surface_flush(surface_);
    direct_ = true;
  }
}

std::vector<Rgb> CairoPicture::read_pixels() const {
  settled();
  std::vector<Rgb> out;
  out.reserve(static_cast<std::size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    const std::uint32_t* row = pixels_ + static_cast<std::size_t>(y) * stride_;
    for (int x = 0; x < width_; ++x) {
      out.push_back({static_cast<std::uint8_t>(row[x] >> 16), static_cast<std::uint8_t>(row[x] >> 8),
                     static_cast<std::uint8_t>(row[x])});
    }
  }
  return out;
}

cairo_surface_t* CairoPicture::surface() const {
  settled();
  return surface_;
}

void CairoPicture::copy_from(const CairoPicture& other) {
  other.settled();
  const Box both{0, 0, std::min(width_, other.width_), std::min(height_, other.height_)};
  Box area = other.changed_;
  // Only what the other drew since it was copied here, unless this picture changed meanwhile.
  if (other.copied_to_ != this || other.copied_generation_ != generation_) area = both;
  area = {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, both.right),
          std::min(area.bottom, both.bottom)};
  begin_direct();
  for (int y = area.top; y < area.bottom; ++y) {
    std::memcpy(pixels_ + static_cast<std::size_t>(y) * stride_ + area.left,
                other.pixels_ + static_cast<std::size_t>(y) * other.stride_ + area.left,
                static_cast<std::size_t>(std::max(area.right - area.left, 0)) * 4);
  }
  other.changed_ = {0, 0, 0, 0};
  other.copied_to_ = this;
  other.copied_generation_ = generation_;
}

Rgb CairoPicture::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {0, 0, 0};
  settled();
  std::uint32_t v = pixels_[static_cast<std::size_t>(y) * stride_ + x];
  return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v)};
}

}  // namespace zr590::platform
