// Saves and loads a drawing of a million shapes and reports the times and the peak memory.
// It reports numbers only; it never fails on time.
//
//   save_load_bench [SHAPES] [FOLDER]
#include <sys/resource.h>
#include <zr590/display.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "drawing_file.h"
#include "library_state.h"
#include "one_point_shapes.h"
#include "platform/headless/headless_platform.h"
#include "shape_list.h"
#include "two_point_shapes.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakKilobytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Every kind of shape, with coordinates of every length and sign.
void fill(ShapeList& shapes, int count) {
  for (int i = 0; i < count; ++i) {
    int x = (i * 37) % 600 - 300, y = (i * 53) % 500 - 250, colour = i % 23, width = i % 2;
    switch (i % 5) {
      case 0:
        shapes.add(new Square(x, y, colour, width));
        break;
      case 1:
        shapes.add(new Circle(x, y, colour, width));
        break;
      case 2:
        shapes.add(new Triangle(x, y, colour, width));
        break;
      case 3:
        shapes.add(new Rect(x, y, -x, -y, colour, width));
        break;
      default:
        shapes.add(new Oval(x, y, y, x, colour, width));
        break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
  const std::filesystem::path folder =
      argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
  const std::string path = (folder / ("save_load_bench-" + std::to_string(getpid()) + ".txt"));

  ShapeList drawing;
  Clock::time_point start = Clock::now();
  fill(drawing, count);
  double build = secondsSince(start);

  start = Clock::now();
  bool saved = writeDrawingFile(path, drawing);
  double save = secondsSince(start);
  if (!saved) {
    std::fprintf(stderr, "could not save to %s\n", path.c_str());
    return 1;
  }
  auto bytes = std::filesystem::file_size(path);

  ShapeList loaded;
  start = Clock::now();
  int read = 0;
  {
    std::ifstream in(path);
    read = readRecords(in, loaded);
  }
  double load = secondsSince(start);
  std::filesystem::remove(path);

  // The redraw that follows a load, on the headless backend with logging off.
  zr590::platform::HeadlessPlatform platform;
  zr590::platform::set_current(&platform);
  double draw = 0;
  {
    Display display;
    start = Clock::now();
    loaded.drawAll(display, nullptr);
    draw = secondsSince(start);
  }
  loaded.removeAll();
  zr590::reset_library_state();
  zr590::platform::set_current(nullptr);

  std::printf("shapes:            %d (read back: %d)\n", count, read);
  std::printf("file size:         %.1f MB\n", static_cast<double>(bytes) / 1e6);
  std::printf("build in memory:   %.3f s\n", build);
  std::printf("save:              %.3f s\n", save);
  std::printf("load (read):       %.3f s\n", load);
  std::printf("save + load:       %.3f s (target under 2 s)\n", save + load);
  std::printf("draw all, headless: %.3f s\n", draw);
  std::printf("peak memory:       %.1f MB\n", static_cast<double>(peakKilobytes()) / 1024.0);
  return 0;
}
