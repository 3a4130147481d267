#include "differential_platform.h"

#include <cairo.h>

#include <cstring>

namespace zr590::testing {
namespace {

const std::uint32_t* row(cairo_surface_t* surface, int y) {
  return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                                y * cairo_image_surface_get_stride(surface));
}

// Where the surface and the pixels (`stride` apart) first differ, or "". Rows are compared
// whole first: cheap, and the fuzzer learns nothing from every pixel's comparison.
std::string difference(cairo_surface_t* surface, const std::uint32_t* pixels, int width, int height,
                       const char* what, int stride = 0) {
  if (stride == 0) stride = width;
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* shown = row(surface, y);
    const std::uint32_t* expected = pixels + static_cast<std::size_t>(y) * stride;
    if (std::memcmp(shown, expected, static_cast<std::size_t>(width) * 4) == 0) continue;
    int x = 0;
    while (shown[x] == expected[x]) ++x;
    return what + std::to_string(x) + "," + std::to_string(y);
  }
  return "";
}

}  // namespace

DifferentialPlatform::DifferentialPlatform(platform::HeadlessPlatform& inner)
    : inner_(inner), tee_(inner.picture_surface(), reference_) {}

void DifferentialPlatform::Tee::rectangle(platform::Box box, const platform::Pen& pen,
                                          const platform::Brush& brush) {
  retained_.rectangle(box, pen, brush);
  reference_.rectangle(box, pen, brush);
  drawn();
}

void DifferentialPlatform::Tee::ellipse(platform::Box box, const platform::Pen& pen,
                                        const platform::Brush& brush) {
  retained_.ellipse(box, pen, brush);
  reference_.ellipse(box, pen, brush);
  drawn();
}

void DifferentialPlatform::Tee::polygon(const platform::Point (&points)[3],
                                        const platform::Pen& pen, const platform::Brush& brush) {
  retained_.polygon(points, pen, brush);
  reference_.polygon(points, pen, brush);
  drawn();
}

void DifferentialPlatform::Tee::line(platform::Point from, platform::Point to,
                                     const platform::Pen& pen) {
  retained_.line(from, to, pen);
  reference_.line(from, to, pen);
  drawn();
}

void DifferentialPlatform::Tee::text_out(platform::Point at, std::string_view text, int height,
                                         platform::Rgb colour) {
  retained_.text_out(at, text, height, colour);
  reference_.text_out(at, text, height, colour);
  drawn();
}

void DifferentialPlatform::copy_picture_to_window() {
  inner_.copy_picture_to_window();
  cairo_surface_t* surface = reference_.surface();
  reference_window_.resize(static_cast<std::size_t>(reference_.width()) * reference_.height());
  for (int y = 0; y < reference_.height(); ++y) {
    std::memcpy(&reference_window_[static_cast<std::size_t>(y) * reference_.width()],
                row(surface, y), static_cast<std::size_t>(reference_.width()) * 4);
  }
}

platform::Take DifferentialPlatform::take_message() {
  const platform::Take taken = inner_.take_message();
  if (taken != platform::Take::Nothing && after_message) after_message();
  return taken;
}

std::string DifferentialPlatform::picture_difference() {
  return first_difference(inner_.picture_surface(), reference_);
}

std::string DifferentialPlatform::window_difference() const {
  if (reference_window_.empty()) return "";  // nothing copied yet
  const platform::CairoPicture& window = inner_.window_surface();
  return difference(window.surface(), reference_window_.data(), window.width(), window.height(),
                    "window ");
}

std::string first_difference(const platform::CairoPicture& a, const platform::CairoPicture& b) {
  return difference(a.surface(), row(b.surface(), 0), a.width(), a.height(), "picture ",
                    cairo_image_surface_get_stride(b.surface()) / 4);
}

}  // namespace zr590::testing
