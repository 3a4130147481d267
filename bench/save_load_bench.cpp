// Saves a drawing of a million shapes and loads it again, the way SAVE and LOAD do, beside the
// speed of the disk measured in the same run: the same bytes written and read back in large
// blocks. Prints the times (wall clock and processor), the ratio to the disk, and the peak
// memory with both drawings in memory. It reports numbers only; it never fails on time.
//
//   save_load_bench [SHAPES] [FOLDER]
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "drawing_file.h"
#include "shape_list.h"
#include "shape_types.h"

namespace {

// Wall clock and processor time of one step.
class Timer {
 public:
  Timer() : wall_(std::chrono::steady_clock::now()), cpu_(std::clock()) {}
  double wall() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count();
  }
  double cpu() const { return static_cast<double>(std::clock() - cpu_) / CLOCKS_PER_SEC; }

 private:
  std::chrono::steady_clock::time_point wall_;
  std::clock_t cpu_;
};

struct Times {
  double wall = 0, cpu = 0;
};

Times measure(const Timer& t) {
  return {t.wall(), t.cpu()};
}

double peakMegabytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Every kind of shape in turn, with coordinates of every length and sign.
void fill(ShapeList& shapes, int count) {
  const auto types = shapeTypes();
  for (int i = 0; i < count; ++i) {
    const int x = (i * 37) % 600 - 300, y = (i * 53) % 500 - 250, colour = i % 23, width = i % 2;
    const ShapeType& type = types[static_cast<std::size_t>(i) % types.size()];
    shapes.add(type.clicks == 1 ? type.make({x, y, colour, width})
                                : type.make({x, y, -x, -y, colour, width}));
  }
}

// The disk's own speed for `bytes`: written to a file in 64 KiB blocks (and flushed to the
// system), then read back the same way.
Times plainWrite(const std::string& path, std::uintmax_t bytes) {
  const std::size_t kBlock = 64 * 1024;
  std::unique_ptr<char[]> block(new char[kBlock]);
  for (std::size_t i = 0; i < kBlock; ++i) block[i] = "Square     -12     34\n"[i % 22];
  Timer t;
  std::FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) return {};
  for (std::uintmax_t left = bytes; left > 0;) {
    const std::size_t n = left < kBlock ? static_cast<std::size_t>(left) : kBlock;
    std::fwrite(block.get(), 1, n, out);
    left -= n;
  }
  std::fclose(out);
  return measure(t);
}

Times plainRead(const std::string& path) {
  const std::size_t kBlock = 64 * 1024;
  std::unique_ptr<char[]> block(new char[kBlock]);
  Timer t;
  std::FILE* in = std::fopen(path.c_str(), "r");
  if (in == nullptr) return {};
  unsigned sum = 0;
  for (std::size_t n; (n = std::fread(block.get(), 1, kBlock, in)) > 0;) sum += block[n - 1];
  std::fclose(in);
  Times times = measure(t);
  if (sum == 1) std::puts("");  // keeps the reads from being optimised away
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
  const std::filesystem::path folder =
      argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
  const std::string path = folder / ("save_load_bench-" + std::to_string(getpid()) + ".txt");
  const std::string plainPath = path + ".plain";

  ShapeList drawing;
  fill(drawing, count);

  // SAVE's own path: the records into a temporary file that then replaces the target.
  Timer t;
  const bool saved = writeDrawingFile(path, drawing);
  const Times save = measure(t);
  if (!saved) {
    std::fprintf(stderr, "could not save to %s\n", path.c_str());
    return 1;
  }
  const auto bytes = std::filesystem::file_size(path);

  // LOAD's own path, without the dialog and the redraw: read into a list of its own, which
  // then goes on top of the drawing.
  ShapeList loaded;
  int read = 0;
  t = Timer();
  {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "r"), std::fclose);
    ShapeList aside;
    if (in != nullptr) read = readRecords(in.get(), aside);
    loaded.addAll(aside);
  }
  const Times load = measure(t);
  const double peak = peakMegabytes();

  const Times diskWrite = plainWrite(plainPath, bytes);
  const Times diskRead = plainRead(plainPath);
  std::filesystem::remove(path);
  std::filesystem::remove(plainPath);

  const double total = save.wall + load.wall, disk = diskWrite.wall + diskRead.wall;
  std::printf("shapes:              %d (read back: %d)\n", count, read);
  std::printf("file size:           %.1f MB\n", static_cast<double>(bytes) / 1e6);
  std::printf("save:                %.3f s (processor %.3f s)\n", save.wall, save.cpu);
  std::printf("load:                %.3f s (processor %.3f s)\n", load.wall, load.cpu);
  std::printf("save + load:         %.3f s (processor %.3f s; target at most 0.4 s)\n", total,
              save.cpu + load.cpu);
  std::printf("same bytes, plain:   write %.3f s + read %.3f s = %.3f s\n", diskWrite.wall,
              diskRead.wall, disk);
  std::printf("ratio to the disk:   %.2f x\n", disk > 0 ? total / disk : 0.0);
  std::printf("peak memory:         %.1f MB with both drawings held (target at most 120 MB)\n",
              peak);
  return 0;
}
