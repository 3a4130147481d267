#include "platform/gtk/window_surface.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

namespace zr590::platform::gtk {

WindowSurface::WindowSurface(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)) {
  // White until the first copy, like the window class's background brush.
  cairo_t* cr = cairo_create(surface_);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_destroy(cr);
}

WindowSurface::~WindowSurface() {
  cairo_surface_destroy(surface_);
}

bool WindowSurface::fill_from(cairo_surface_t* picture) {
  cairo_surface_flush(picture);
  cairo_surface_flush(surface_);
  const unsigned char* from = cairo_image_surface_get_data(picture);
  unsigned char* to = cairo_image_surface_get_data(surface_);
  if (from == nullptr || to == nullptr) return false;
  const int rows =
      std::min(cairo_image_surface_get_height(picture), cairo_image_surface_get_height(surface_));
  const int cols =
      std::min(cairo_image_surface_get_width(picture), cairo_image_surface_get_width(surface_));
  const int from_stride = cairo_image_surface_get_stride(picture);
  const int to_stride = cairo_image_surface_get_stride(surface_);
  const std::size_t bytes = static_cast<std::size_t>(cols) * 4;
  bool changed = false;
  for (int y = 0; y < rows; ++y) {
    const unsigned char* src = from + static_cast<std::size_t>(y) * from_stride;
    unsigned char* dst = to + static_cast<std::size_t>(y) * to_stride;
    if (std::memcmp(src, dst, bytes) != 0) {
      std::memcpy(dst, src, bytes);
      changed = true;
    }
  }
  if (changed) cairo_surface_mark_dirty(surface_);
  return changed;
}

}  // namespace zr590::platform::gtk
