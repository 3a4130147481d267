// What the graphics window shows: the last copy of the picture, as a block copy to a real
// window leaves it. The window paints this surface, never the picture being drawn.
#pragma once

typedef struct _cairo_surface cairo_surface_t;

namespace zr590::platform::gtk {

class WindowSurface {
 public:
  WindowSurface(int width, int height);
  ~WindowSurface();
  WindowSurface(const WindowSurface&) = delete;
  WindowSurface& operator=(const WindowSurface&) = delete;

  // Copies `picture` (an RGB24 or ARGB32 image surface; what lies beyond either size is left
  // out) to the top left corner. Returns whether any pixel changed, so that an unchanged frame
  // costs the window no redraw.
  bool fill_from(cairo_surface_t* picture);
  cairo_surface_t* surface() const { return surface_; }

 private:
  cairo_surface_t* surface_;
};

}  // namespace zr590::platform::gtk
