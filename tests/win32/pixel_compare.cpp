// Compares the Win32 editor's client area, cut from a screenshot, with the picture that
// shape-replay renders for the same client size, box by box as a regions file assigns the
// pixels to what was drawn there. Prints the number of differing pixels per category and
// writes an image that marks them. Exit status 1 when an "exact" category differs, 2 when the
// input cannot be used.
//
//   win32_pixel_compare SCREENSHOT.png OFFSET_X OFFSET_Y REPLAY.png WIDTH HEIGHT REGIONS DIFF.png
//
// The client area is the WIDTH x HEIGHT block at (OFFSET_X, OFFSET_Y) of the screenshot and
// at (0, 0) of the replay's picture; library point (x, y) is client pixel
// (WIDTH / 2 + x, HEIGHT / 2 - y).
#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Region {
  bool exact;
  std::string category;
  int left, top, right, bottom;  // client pixels, inclusive
};

struct Count {
  bool exact = true;
  long pixels = 0;
  long differ = 0;
};

class Image {
 public:
  explicit Image(const std::string& path)
      : surface_(cairo_image_surface_create_from_png(path.c_str())) {
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) return;
    cairo_surface_flush(surface_);
    data_ = cairo_image_surface_get_data(surface_);
    stride_ = cairo_image_surface_get_stride(surface_);
    width_ = cairo_image_surface_get_width(surface_);
    height_ = cairo_image_surface_get_height(surface_);
  }
  ~Image() { cairo_surface_destroy(surface_); }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  bool ok() const { return data_ != nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t rgb(int x, int y) const {
    return reinterpret_cast<const std::uint32_t*>(data_ + y * stride_)[x] & 0xFFFFFFu;
  }

 private:
  cairo_surface_t* surface_;
  unsigned char* data_ = nullptr;
  int stride_ = 0, width_ = 0, height_ = 0;
};

bool read_regions(const std::string& path, int cx, int cy, std::vector<Region>& regions) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string kind, category;
    int x1, y1, x2, y2;
    if (!(fields >> kind >> category >> x1 >> y1 >> x2 >> y2) ||
        (kind != "exact" && kind != "own")) {
      std::cerr << path << ": cannot read: " << line << "\n";
      return false;
    }
    regions.push_back({kind == "exact", category, cx + x1, cy - y1, cx + x2, cy - y2});
  }
  return true;
}

int usage() {
  std::cerr << "usage: win32_pixel_compare SCREENSHOT.png OFFSET_X OFFSET_Y REPLAY.png WIDTH "
               "HEIGHT REGIONS DIFF.png\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 9) return usage();
  const Image shot(argv[1]);
  const int ox = std::atoi(argv[2]), oy = std::atoi(argv[3]);
  const Image replay(argv[4]);
  const int width = std::atoi(argv[5]), height = std::atoi(argv[6]);
  if (!shot.ok() || !replay.ok()) {
    std::cerr << "cannot read " << (shot.ok() ? argv[4] : argv[1]) << "\n";
    return 2;
  }
  if (width <= 0 || height <= 0 || ox < 0 || oy < 0 || ox + width > shot.width() ||
      oy + height > shot.height() || width > replay.width() || height > replay.height()) {
    std::cerr << "the client area " << width << " x " << height << " at (" << ox << ", " << oy
              << ") does not fit both pictures\n";
    return 2;
  }
  std::vector<Region> regions;
  if (!read_regions(argv[7], width / 2, height / 2, regions)) return 2;

  std::map<std::string, Count> counts;
  counts["other"].exact = true;
  for (const Region& r : regions) counts[r.category].exact = r.exact;

  cairo_surface_t* diff = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  auto* diff_data = cairo_image_surface_get_data(diff);
  const int diff_stride = cairo_image_surface_get_stride(diff);
  for (int y = 0; y < height; ++y) {
    auto* diff_row = reinterpret_cast<std::uint32_t*>(diff_data + y * diff_stride);
    for (int x = 0; x < width; ++x) {
      std::string category = "other";
      for (const Region& r : regions) {
        if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) {
          category = r.category;
          break;
        }
      }
      const std::uint32_t expected = replay.rgb(x, y);
      const bool differs = shot.rgb(ox + x, oy + y) != expected;
      Count& count = counts[category];
      ++count.pixels;
      if (differs) ++count.differ;
      // Differences in red, everything else as a faint copy of the reference.
      diff_row[x] = differs ? 0xFF0000u : 0xC0C0C0u | (expected & 0x3F3F3Fu);
    }
  }
  cairo_surface_mark_dirty(diff);
  cairo_surface_write_to_png(diff, argv[8]);
  cairo_surface_destroy(diff);

  bool exact_ok = true;
  std::cout << "client area " << width << " x " << height << "\n";
  for (const auto& [category, count] : counts) {
    std::cout << (count.exact ? "exact " : "own   ") << category << ": " << count.differ << " of "
              << count.pixels << " pixels differ\n";
    if (count.exact && count.differ != 0) exact_ok = false;
  }
  return exact_ok ? 0 : 1;
}
