// Frames of the whole editor, as shape-replay drives it: the editor on the headless backend
// LOADs a drawing and then gets ticks (a redraw each) or clicks (one shape more each). Every
// frame is timed from one event to the next, so it holds the editor's work, the library's
// checks, the drawing and the copy to the window. Times are the thread's CPU time. Between the
// editor's frames, in the same run, the bench draws one straightforward Cairo frame of 10,000
// shapes: the same picture calls the editor made for its 10,000-shape frame, each a Cairo path
// filled or stroked (text through one Pango layout). Each figure is printed as a ratio against that
// frame. Reports only; nothing here fails on a number.
//
//   frame_bench [FRAMES [full|idle|click]]
#include <cairo.h>
#include <pango/pangocairo.h>
#include <time.h>
#include <unistd.h>
#include <zr590/zr590.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor_loop.h"
#include "frame.h"
#include "library_state.h"
#include "palette.h"
#include "forwarding_platform.h"
#include "platform/headless/headless_platform.h"

namespace {

// The thread's CPU time: on a machine shared with other work, what a frame costs rather than
// how long it waited for a core.
struct Clock {
  using time_point = double;  // milliseconds
  static time_point now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }
};
using zr590::platform::Box;
using zr590::platform::Brush;
using zr590::platform::MessageKind;
using zr590::platform::Pen;
using zr590::platform::Point;
using zr590::platform::Rgb;

double ms_since(Clock::time_point start) {
  return Clock::now() - start;
}

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// A drawing of `count` mixed shapes of the editor's five kinds, filled or outlined, in the
// drawing file's format.
void write_drawing(const std::string& path, int count) {
  std::mt19937 random(590);
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  static const char* const kWords[] = {"Square", "Circle", "Triangle", "Rect", "Oval"};
  std::ofstream out(path);
  for (int i = 0; i < count; ++i) {
    const int kind = in(0, 4), x = in(-280, 260), y = in(-230, 210);
    out << kWords[kind] << "     " << x << "     " << y;
    if (kind >= 3) out << "     " << x + in(2, 40) << "     " << y + in(2, 40);
    out << "     " << in(0, 22) << "     " << in(0, 1) << "\n";
  }
}

// One call on the picture, kept to be drawn again the straightforward way.
struct Call {
  enum { Rectangle, Ellipse, Polygon, Line, Text } kind;
  Box box;
  Point points[3];
  Pen pen;
  Brush brush;
  std::string text;
};

class Recorder final : public zr590::platform::Picture {
 public:
  explicit Recorder(Picture& inner) : inner_(inner) {}
  std::vector<Call> calls;

  void rectangle(Box box, const Pen& pen, const Brush& brush) override {
    calls.push_back({Call::Rectangle, box, {}, pen, brush, {}});
    inner_.rectangle(box, pen, brush);
  }
  void ellipse(Box box, const Pen& pen, const Brush& brush) override {
    calls.push_back({Call::Ellipse, box, {}, pen, brush, {}});
    inner_.ellipse(box, pen, brush);
  }
  void polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) override {
    calls.push_back({Call::Polygon, {}, {points[0], points[1], points[2]}, pen, brush, {}});
    inner_.polygon(points, pen, brush);
  }
  void line(Point from, Point to, const Pen& pen) override {
    calls.push_back({Call::Line, {}, {from, to, {}}, pen, {true, {}}, {}});
    inner_.line(from, to, pen);
  }
  zr590::platform::Extent text_extent(std::string_view text, int height) override {
    return inner_.text_extent(text, height);
  }
  void text_out(Point at, std::string_view text, int height, Rgb colour) override {
    calls.push_back(
        {Call::Text, {height, 0, 0, 0}, {at, {}, {}}, {1, colour}, {}, std::string(text)});
    inner_.text_out(at, text, height, colour);
  }
  std::vector<Rgb> read_pixels() const override { return inner_.read_pixels(); }

 private:
  Picture& inner_;
};

// The straightforward Cairo frame: every call a path of its own, filled or stroked.
class CairoFrame {
 public:
  explicit CairoFrame(std::vector<Call> calls)
      : calls_(std::move(calls)),
        surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 601, 540)),
        cr_(cairo_create(surface_)),
        layout_(pango_cairo_create_layout(cr_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout_), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout_);
  }
  ~CairoFrame() {
    g_object_unref(layout_);
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  std::size_t size() const { return calls_.size(); }

  void draw() {
    for (const Call& c : calls_) {
      const double w = std::max(c.pen.width, 1);
      switch (c.kind) {
        case Call::Rectangle:
          // A filled box covers its outline: one fill; an outline alone is one stroke.
          if (!c.brush.hollow) {
            cairo_rectangle(cr_, c.box.left, c.box.top, c.box.right - c.box.left,
                            c.box.bottom - c.box.top);
            fill(c.brush.colour);
          } else {
            cairo_rectangle(cr_, c.box.left + .5, c.box.top + .5, c.box.right - c.box.left - 1,
                            c.box.bottom - c.box.top - 1);
            stroke(c.pen.colour, w);
          }
          break;
        case Call::Ellipse:
          cairo_save(cr_);
          cairo_translate(cr_, (c.box.left + c.box.right) / 2.0, (c.box.top + c.box.bottom) / 2.0);
          cairo_scale(cr_, std::max(c.box.right - c.box.left, 1) / 2.0,
                      std::max(c.box.bottom - c.box.top, 1) / 2.0);
          cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
          cairo_restore(cr_);
          finish(c, w);
          break;
        case Call::Polygon:
          cairo_move_to(cr_, c.points[0].x + .5, c.points[0].y + .5);
          cairo_line_to(cr_, c.points[1].x + .5, c.points[1].y + .5);
          cairo_line_to(cr_, c.points[2].x + .5, c.points[2].y + .5);
          cairo_close_path(cr_);
          finish(c, w);
          break;
        case Call::Line:
          cairo_move_to(cr_, c.points[0].x + .5, c.points[0].y + .5);
          cairo_line_to(cr_, c.points[1].x + .5, c.points[1].y + .5);
          stroke(c.pen.colour, w);
          break;
        case Call::Text: {
          PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans");
          pango_font_description_set_absolute_size(font, std::max(c.box.left, 1) * PANGO_SCALE);
          pango_layout_set_font_description(layout_, font);
          pango_font_description_free(font);
          pango_layout_set_text(layout_, c.text.data(), static_cast<int>(c.text.size()));
          set_colour(c.pen.colour);
          cairo_move_to(cr_, c.points[0].x, c.points[0].y);
          pango_cairo_show_layout(cr_, layout_);
          break;
        }
      }
    }
    cairo_surface_flush(surface_);
  }

 private:
  void set_colour(Rgb c) { cairo_set_source_rgb(cr_, c.r / 255.0, c.g / 255.0, c.b / 255.0); }
  void fill(Rgb c) {
    set_colour(c);
    cairo_fill(cr_);
  }
  // The path filled, or stroked when the brush is empty.
  void finish(const Call& c, double width) {
    if (c.brush.hollow) {
      stroke(c.pen.colour, width);
    } else {
      fill(c.brush.colour);
    }
  }
  void stroke(Rgb c, double width) {
    set_colour(c);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
  }

  std::vector<Call> calls_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
  PangoLayout* layout_;
};

// The headless backend, timing the editor's frames: each ends when the next event is taken.
// Between two frames it draws the Cairo frame (timed apart), and it can make the picture
// forget its last frame so that every frame is drawn whole.
class BenchPlatform final : public zr590::platform::ForwardingPlatform {
 public:
  explicit BenchPlatform(zr590::platform::HeadlessPlatform& inner)
      : ForwardingPlatform(inner), inner_(inner) {}

  CairoFrame* baseline = nullptr;
  bool whole_frames = false;
  int warm_up = 3;  // frames after the LOAD left out
  std::vector<double> frames, baseline_frames;
  // Records the calls of the first frame after the LOAD.
  std::unique_ptr<Recorder> recorder;

  // One virtual call, as the headless backend's own: the bench adds nothing to a drawing call.
  zr590::platform::Picture& picture() override { return *picture_; }
  void record_first_frame() {
    recorder = std::make_unique<Recorder>(inner_.picture());
    picture_ = recorder.get();
  }
  int line_dialog(const zr590::platform::DialogPrompt& prompt, std::string& reply) override {
    loaded_ = true;  // the LOAD's dialog: the drawing is in once it returns
    return inner_.line_dialog(prompt, reply);
  }
  zr590::platform::Take take_message() override {
    if (loaded_ && inner_.has_message()) next_event();
    return inner_.take_message();
  }

 private:
  // Event number events_ (from 0, the first after the LOAD) is about to be taken: the frame
  // the one before it started ends here.
  void next_event() {
    if (events_ > warm_up) frames.push_back(ms_since(start_));
    if (recorder && events_ == 0) recorder->calls.clear();  // the LOAD's own frame
    if (recorder && events_ == 1) picture_ = &inner_.picture();
    ++events_;
    if (baseline != nullptr && events_ > warm_up) {
      const auto t = Clock::now();
      baseline->draw();
      baseline_frames.push_back(ms_since(t));
    }
    if (whole_frames) zr590::frames.forget();
    start_ = Clock::now();
  }

  zr590::platform::HeadlessPlatform& inner_;
  zr590::platform::Picture* picture_ = &inner_.picture();
  bool loaded_ = false;
  int events_ = 0;
  Clock::time_point start_ = 0;
};

// Where the editor's palette puts `tool`, in client pixels.
bool tool_button(int tool, int& px, int& py) {
  for (py = 0; py < 540; ++py) {
    for (px = 0; px < 601; ++px) {
      const int x = px - 300, y = 270 - py;
      if (regionAt(x, y) == ToolColumn && toolAt(x, y) == tool) return true;
    }
  }
  return false;
}

struct Session {
  std::string drawing;
  bool whole_frames = false;
  int frames = 0;
  bool clicks = false;  // clicks adding circles rather than ticks
  bool record = false;
};

struct Result {
  double frame_ms = 0, baseline_ms = 0;
  std::vector<Call> recorded;
};

Result run(const Session& session, CairoFrame* baseline) {
  zr590::reset_library_state();
  zr590::platform::HeadlessPlatform headless;
  BenchPlatform platform(headless);
  zr590::platform::set_current(&platform);
  platform.baseline = baseline;
  platform.whole_frames = session.whole_frames;
  if (session.record) platform.record_first_frame();
  int px = 0, py = 0;
  auto click = [&](int x, int y) {
    headless.push_message({zr590::platform::Window::Graphics, MessageKind::LButtonDown, x, y});
  };
  if (!tool_button(ToolLoad, px, py)) std::abort();
  click(px, py);
  headless.push_reply(session.drawing);
  std::mt19937 random(13);
  if (session.clicks) {
    if (!tool_button(ToolCircle, px, py)) std::abort();
    click(px, py);
  }
  for (int i = 0; i < session.frames + platform.warm_up + 1; ++i) {
    if (session.clicks) {
      click(std::uniform_int_distribution<int>(100, 580)(random),
            std::uniform_int_distribution<int>(80, 500)(random));
    } else {
      headless.push_message({zr590::platform::Window::Graphics, MessageKind::Timer, 2});
    }
  }
  run_editor();
  zr590::platform::set_current(nullptr);
  Result result{median(platform.frames), median(platform.baseline_frames), {}};
  if (platform.recorder) result.recorded = std::move(platform.recorder->calls);
  zr590::reset_library_state();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const std::string folder =
      std::filesystem::temp_directory_path() / ("frame_bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string small = folder + "/10k.txt", big = folder + "/100k.txt";
  write_drawing(small, 10000);
  write_drawing(big, 100000);

  // The Cairo frame: the calls of the editor's frame holding the 10,000 shapes.
  CairoFrame baseline(run({small, true, 2, false, true}, nullptr).recorded);
  std::printf(
      "frame_bench: the whole editor on the headless backend (shape-replay), median of %d\n"
      "frames; each ratio is against one straightforward Cairo frame of the same 10,000\n"
      "shapes (%zu calls), drawn between the editor's frames of the same session\n\n",
      frames, baseline.size());
  std::printf("  %-44s %9s %9s %7s %8s\n", "", "editor", "Cairo", "ratio", "target");
  const std::string only = argc > 2 ? argv[2] : "";
  auto report = [&](const char* what, const Session& session, double target) {
    if (!only.empty() && what != only && std::string(what).rfind(only + " ", 0) != 0) return;
    const Result r = run(session, &baseline);
    std::printf("  %-44s %6.3f ms %6.2f ms %7.3f %8s\n", what, r.frame_ms, r.baseline_ms,
                r.frame_ms / r.baseline_ms, ("<= " + std::to_string(target).substr(0, 4)).c_str());
  };
  report("full frame, 10,000 shapes, drawn whole", {small, true, frames, false, false}, 0.2);
  report("idle tick, 100,000 shapes", {big, false, frames, false, false}, 0.05);
  report("click adding one shape, 100,000 shapes", {big, false, frames, true, false}, 0.25);
  std::filesystem::remove_all(folder);
  return 0;
}
