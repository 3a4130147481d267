// One full frame of the library: clear, then 10,000 mixed shapes through the display object,
// against the same shapes drawn the straightforward Cairo way on the same kind of surface.
// Prints both times per frame and their ratio. Reports only.
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include <zr590/display.h>

#include "colours.h"
#include "library_state.h"
#include "platform/headless/headless_platform.h"

namespace {

constexpr int kShapes = 10000;
constexpr int kFrames = 25;

struct Shape {
  enum Kind { Rectangle, Oval, Circle, Triangle, Line } kind;
  int x1, y1, x2, y2, x3, y3;
  int colour, width;
};

std::vector<Shape> make_shapes() {
  std::mt19937 random(590);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  std::vector<Shape> shapes;
  for (int i = 0; i < kShapes; ++i) {
    Shape s{};
    s.kind = static_cast<Shape::Kind>(in(0, 4));
    s.x1 = in(-290, 250);
    s.y1 = in(-240, 240);
    s.x2 = s.x1 + in(2, 40);
    s.y2 = s.y1 - in(2, 40);
    s.x3 = s.x1 + in(-20, 20);
    s.y3 = s.y1 + in(5, 30);
    s.colour = in(0, 22);
    s.width = in(0, 1);  // the editor's fill switch: filled or a one-pixel outline
    if (s.kind == Shape::Circle) s.x2 = 10;
    shapes.push_back(s);
  }
  return shapes;
}

void draw_library(Display& display, const std::vector<Shape>& shapes) {
  display.clear(1);
  for (const Shape& s : shapes) {
    switch (s.kind) {
      case Shape::Rectangle:
        display.drawRectangle(s.x1, s.y1, s.x2, s.y2, s.colour, s.width);
        break;
      case Shape::Oval:
        display.drawOval(s.x1, s.y1, s.x2, s.y2, s.colour, s.width);
        break;
      case Shape::Circle:
        display.drawCircle(s.x1, s.y1, s.x2, s.colour);
        break;
      case Shape::Triangle:
        display.drawTriangle(s.x1, s.y1, s.x2, s.y1, s.x3, s.y3, s.colour, s.width);
        break;
      case Shape::Line:
        display.drawLine(s.x1, s.y1, s.x2, s.y2, s.colour, 1);
        break;
    }
  }
}

// The straightforward way: one Cairo path per shape, then fill or stroke.
void draw_cairo(cairo_t* cr, const std::vector<Shape>& shapes) {
  const double cx = 300, cy = 270;
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, 0, 0, 600, 500);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (const Shape& s : shapes) {
    const auto& rgb = zr590::color_rgb[s.colour];
    cairo_set_source_rgb(cr, rgb.r / 255.0, rgb.g / 255.0, rgb.b / 255.0);
    double l = cx + s.x1, t = cy - s.y1, r = cx + s.x2, b = cy - s.y2;
    bool fill = s.width == 0;
    switch (s.kind) {
      case Shape::Rectangle:
        if (fill) {
          cairo_rectangle(cr, l, t, r - l + 1, b - t + 1);
        } else {
          cairo_rectangle(cr, l + .5, t + .5, r - l, b - t);
        }
        break;
      case Shape::Oval:
      case Shape::Circle: {
        if (s.kind == Shape::Circle) {
          l = cx + s.x1 - s.x2, t = cy - s.y1 - s.x2, r = cx + s.x1 + s.x2, b = cy - s.y1 + s.x2;
          fill = true;
        }
        cairo_save(cr);
        cairo_translate(cr, (l + r + 1) / 2, (t + b + 1) / 2);
        cairo_scale(cr, (r - l + 1) / 2, (b - t + 1) / 2);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        break;
      }
      case Shape::Triangle:
        cairo_move_to(cr, cx + s.x1 + .5, cy - s.y1 + .5);
        cairo_line_to(cr, cx + s.x2 + .5, cy - s.y1 + .5);
        cairo_line_to(cr, cx + s.x3 + .5, cy - s.y3 + .5);
        cairo_close_path(cr);
        break;
      case Shape::Line:
        cairo_move_to(cr, l + .5, t + .5);
        cairo_line_to(cr, r + .5, b + .5);
        fill = false;
        break;
    }
    if (fill) {
      cairo_fill(cr);
    } else {
      cairo_stroke(cr);
    }
  }
  cairo_surface_flush(cairo_get_target(cr));
}

template <typename Draw>
double median_ms(Draw draw) {
  std::vector<double> times;
  for (int i = 0; i < kFrames; ++i) {
    auto start = std::chrono::steady_clock::now();
    draw();
    auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const std::vector<Shape> shapes = make_shapes();

  zr590::platform::HeadlessPlatform platform;
  zr590::platform::set_current(&platform);
  double library_ms;
  {
    Display display;
    library_ms = median_ms([&] { draw_library(display, shapes); });
  }

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 601, 540);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  double cairo_ms = median_ms([&] { draw_cairo(cr, shapes); });
  cairo_destroy(cr);
  cairo_surface_destroy(surface);

  std::printf("frame of %d mixed shapes, median of %d frames\n", kShapes, kFrames);
  std::printf("  library (checked, through Display): %8.2f ms\n", library_ms);
  std::printf("  plain Cairo paths:                  %8.2f ms\n", cairo_ms);
  std::printf("  ratio library / Cairo:              %8.2f (target: at most 1.0)\n",
              library_ms / cairo_ms);
  return 0;
}
