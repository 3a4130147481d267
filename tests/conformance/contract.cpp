#include "contract.h"

#include <zr590/zr590.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "library_state.h"
#include "platform/text_encoding.h"

namespace zr590::conformance {
namespace {

using platform::Message;
using platform::MessageKind;
using platform::Rgb;
using platform::Window;
using Trace = std::vector<std::string>;

const char* kind_name(MessageKind kind) {
  static const char* const kNames[] = {"Create",      "Destroy", "Size",     "Paint",
                                       "LButtonDown", "KeyDown", "KeyUp",    "Char",
                                       "Command",     "Timer",   "FocusLost"};
  return kNames[static_cast<int>(kind)];
}

// One message as the traces show it: kind, window (G or T), and the values that matter.
std::string describe(const Message& m) {
  std::string s = kind_name(m.kind);
  s += m.window == Window::Graphics ? " G" : " T";
  switch (m.kind) {
    case MessageKind::LButtonDown:
      return s + " " + std::to_string(m.a) + "," + std::to_string(m.b);
    case MessageKind::KeyDown:
    case MessageKind::KeyUp:
    case MessageKind::Char:
    case MessageKind::Timer:
      return s + " " + std::to_string(m.a);
    default:
      return s;
  }
}

std::string join(const Trace& trace) {
  std::string s;
  for (const std::string& item : trace) s += (s.empty() ? "" : " | ") + item;
  return "[" + s + "]";
}

// One case's world: the library open on a fresh backend, a trace of the messages of the kinds
// the case watches, in the order they reached the window procedures, with "Quit" where the
// quit request was taken (while any kind is watched).
class Case {
 public:
  explicit Case(Adapter& adapter) : adapter_(adapter) {}

  platform::Platform& open() {
    reset_library_state();
    platform::Platform& p = adapter_.start();
    platform::set_current(&p);
    p.set_window_procedure([this, &p](const Message& m) {
      if (watched(m.kind)) {
        std::string seen = describe(m);
        // Size tells the client size; Destroy comes while the window still exists.
        if (m.kind == MessageKind::Size) {
          const platform::Box c = p.client_rect(m.window);
          if (m.a != c.right - c.left || m.b != c.bottom - c.top) seen += " (not the client size)";
        }
        if (m.kind == MessageKind::Destroy && !p.window_exists(m.window)) seen += " (gone)";
        trace_.push_back(seen);
      }
      if (m.window == Window::Graphics) {
        graphics_window_proc(m);
      } else {
        text_window_proc(m);
      }
    });
    ZR590_open(nullptr, nullptr, nullptr, 1);
    platform_ = &p;
    return p;
  }

  void close() {
    ZR590_close();
    adapter_.finish();
    platform::set_current(nullptr);
  }

  // Watches these kinds from now on, with an empty trace.
  void watch(std::vector<MessageKind> kinds) {
    watched_ = std::move(kinds);
    trace_.clear();
  }
  // Takes every message waiting, and returns the trace.
  const Trace& take_all() {
    while (platform_->has_message()) {
      if (platform_->take_message() == platform::Take::Quit && !watched_.empty()) {
        trace_.push_back("Quit");
      }
    }
    return trace_;
  }
  // Takes what is waiting and forgets it.
  void drain() {
    watch({});
    take_all();
  }

  void expect(bool ok, const std::string& what) {
    if (!ok) failures_.push_back(what);
  }
  void expect_trace(const Trace& want, const std::string& what) {
    expect(trace_ == want, what + ": got " + join(trace_) + ", want " + join(want));
  }
  const std::vector<std::string>& failures() const { return failures_; }
  const Trace& trace() const { return trace_; }

  Adapter& adapter() { return adapter_; }
  platform::Platform& p() { return *platform_; }

 private:
  bool watched(MessageKind kind) const {
    for (MessageKind k : watched_) {
      if (k == kind) return true;
    }
    return false;
  }

  Adapter& adapter_;
  platform::Platform* platform_ = nullptr;
  std::vector<MessageKind> watched_ = {MessageKind::Create, MessageKind::Size};
  Trace trace_;
  std::vector<std::string> failures_;
};

// Create and then Size reach each window's procedure before create_window returns: the
// library opens its windows with both already handled. Showing a window may tell its size
// again.
void creation(Case& c) {
  const Trace first = {"Create G", "Size G", "Create T", "Size T"};
  const Trace& seen = c.trace();
  bool later_sizes_only = seen.size() >= first.size();
  for (std::size_t i = first.size(); later_sizes_only && i < seen.size(); ++i) {
    later_sizes_only = seen[i] == "Size G" || seen[i] == "Size T";
  }
  c.expect(
      later_sizes_only && Trace(seen.begin(), seen.begin() + first.size()) == first,
      "messages while opening: got " + join(seen) + ", want " + join(first) + " (then only Size)");
}

// Posted messages come first, then the quit request, then input.
void order(Case& c) {
  c.drain();
  c.watch({MessageKind::LButtonDown, MessageKind::KeyDown});
  c.adapter().click(40, 50);
  c.p().post_quit(0);
  c.p().post_message({Window::Graphics, MessageKind::KeyDown, 'Q'});
  c.take_all();
  c.expect_trace({"KeyDown G 81", "Quit", "LButtonDown G 40,50"}, "order");
}

// Ticks that were not taken merge into one, which comes after input.
void merged_tick(Case& c) {
  c.drain();
  c.watch({MessageKind::LButtonDown, MessageKind::Timer});
  c.adapter().let_time_pass(350);
  c.adapter().click(10, 20);
  c.take_all();
  c.expect_trace({"LButtonDown G 10,20", "Timer G 2"}, "busy for three periods, then a click");
}

// The close box: Destroy while the window exists, then the quit request; afterwards nothing
// reaches the window, not a posted message nor its timer, and the text window stays.
void close_box(Case& c) {
  c.drain();
  c.watch({MessageKind::Destroy});
  c.adapter().close_box();
  c.take_all();
  c.expect_trace({"Destroy G", "Quit"}, "close box");
  c.expect(!c.p().window_exists(Window::Graphics), "the graphics window still exists");
  c.expect(c.p().window_exists(Window::Text), "the text window went too");
  c.watch({MessageKind::KeyDown, MessageKind::Timer});
  c.p().post_message({Window::Graphics, MessageKind::KeyDown, 'A'});
  c.adapter().let_time_pass(250);
  c.take_all();
  c.expect_trace({}, "messages for the destroyed window");
}

// Once the library asks for it (the editor's log window), the text window's close box only
// hides the window: nothing reaches the library, and showing it again brings it back.
void text_close_hides(Case& c) {
  c.drain();
  c.watch({MessageKind::Destroy});
  c.p().set_text_close_hides(true);
  c.p().show_window(Window::Text, true);
  if (!c.adapter().text_close_box()) return;
  c.take_all();
  c.expect_trace({}, "the text window's close box");
  c.expect(c.p().window_exists(Window::Text), "the text window was destroyed");
  c.expect(c.p().show_window(Window::Text, true) == 0, "the text window still shows");
}

// Keys as virtual-key codes; the character a key-down types follows it at once, before the
// key-up; Ctrl with a letter is the library's shortcut (Ctrl+L toggles logging).
void keys(Case& c) {
  c.drain();
  c.watch({MessageKind::KeyDown, MessageKind::KeyUp, MessageKind::Char});
  const bool logging = window_state.logging_on;
  Adapter& user = c.adapter();
  user.key('C', true);
  user.key('C', false);
  user.key(platform::kCtrlKey, true);
  user.key('L', true);
  user.key('L', false);
  user.key(platform::kCtrlKey, false);
  c.take_all();
  c.expect_trace({"KeyDown G 67", "Char G 99", "KeyUp G 67", "KeyDown G 17", "KeyDown G 76",
                  "Char G 12", "KeyUp G 76", "KeyUp G 17"},
                 "c, then Ctrl+L");
  c.expect(window_state.logging_on != logging, "Ctrl+L did not toggle logging");
}

// The library's timer ticks about every 100 ms, and the wait for a tick sleeps.
void timer(Case& c) {
  c.drain();
  c.watch({MessageKind::Timer});
  Adapter& clock = c.adapter();
  constexpr std::size_t kTicks = 4;
  std::vector<double> at;
  const double start = clock.now_ms();
  const double cpu_start = clock.cpu_ms();
  while (at.size() < kTicks && clock.now_ms() - start < 5000) {
    c.p().wait_message();
    const std::size_t before = c.trace().size();
    const std::size_t after = c.take_all().size();
    for (std::size_t i = before; i < after; ++i) at.push_back(clock.now_ms());
  }
  const double waited = clock.now_ms() - start;
  const double cpu = clock.cpu_ms() - cpu_start;
  if (at.size() < kTicks) {
    c.expect(false, std::to_string(at.size()) + " ticks in " + std::to_string(waited) + " ms");
    return;
  }
  const double period = (at.back() - at.front()) / (kTicks - 1);
  c.expect(period >= 50 && period <= 300,
           "ticks " + std::to_string(period) + " ms apart, not about 100 ms");
  c.expect(cpu <= 0.1 * waited, "the wait used " + std::to_string(cpu) + " ms of processor in " +
                                    std::to_string(waited) + " ms: it polls");
}

// The dialog returns what was typed, cut to the reply's limit, and the windows stay.
void dialog(Case& c) {
  c.drain();
  const std::string typed(platform::kReplyLength + 45, 'x');
  c.adapter().answer_dialog(typed);
  std::string reply;
  const int result =
      c.p().line_dialog(platform::shape_dialog_prompt("Name?", c.p().text_bytes()), reply);
  c.expect(result == 1, "the dialog returned " + std::to_string(result));
  c.expect(reply == typed.substr(0, platform::kReplyLength),
           "reply of " + std::to_string(reply.size()) + " characters");
  c.expect(c.p().window_exists(Window::Graphics), "the graphics window went");
}

// The window shows the picture's last copy, not the picture being drawn, with the figures'
// edge rules: a box's right column and bottom row are outside it, a line's end is unpainted.
void pictures(Case& c) {
  c.drain();
  const Rgb white{255, 255, 255}, black{0, 0, 0}, red{255, 0, 0}, blue{0, 0, 255};
  platform::Picture& picture = c.p().picture();
  picture.rectangle({0, 0, platform::kPictureWidth, platform::kPictureHeight}, {1, white},
                    {false, white});
  picture.rectangle({10, 10, 20, 20}, {1, black}, {true, black});
  picture.line({30, 10}, {40, 10}, {1, black});
  picture.rectangle({50, 10, 60, 20}, {1, red}, {false, red});
  c.p().copy_picture_to_window();
  picture.rectangle({0, 0, platform::kPictureWidth, platform::kPictureHeight}, {1, blue},
                    {false, blue});
  struct Pixel {
    int x, y;
    Rgb want;
  };
  const Pixel shown[] = {
      {10, 10, black}, {19, 19, black}, {19, 10, black}, {15, 15, white}, {20, 20, white},
      {30, 10, black}, {39, 10, black}, {40, 10, white}, {50, 10, red},   {59, 19, red},
      {55, 15, red},   {60, 15, white}, {55, 20, white}, {5, 5, white},
  };
  for (const Pixel& px : shown) {
    const Rgb got = c.adapter().window_pixel(px.x, px.y);
    c.expect(got == px.want, "pixel " + std::to_string(px.x) + "," + std::to_string(px.y) + " is " +
                                 std::to_string(got.r) + "/" + std::to_string(got.g) + "/" +
                                 std::to_string(got.b));
  }
  c.p().copy_picture_to_window();
  c.expect(c.adapter().window_pixel(15, 15) == blue, "the next copy is not shown");
}

struct Named {
  const char* name;
  void (*run)(Case&);
};
constexpr Named kCases[] = {
    {"creation", creation},
    {"order", order},
    {"merged_tick", merged_tick},
    {"close_box", close_box},
    {"text_close_hides", text_close_hides},
    {"keys", keys},
    {"timer", timer},
    {"dialog", dialog},
    {"pictures", pictures},
};

bool chosen(const char* name, int argc, char** argv) {
  if (argc < 2) return true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return true;
  }
  return false;
}

}  // namespace

int run(Adapter& adapter, int argc, char** argv) {
  int failed = 0;
  for (const Named& named : kCases) {
    if (!chosen(named.name, argc, argv)) continue;
    Case c(adapter);
    c.open();
    named.run(c);
    c.close();
    if (c.failures().empty()) {
      std::printf("ok %s\n", named.name);
    } else {
      ++failed;
      for (const std::string& failure : c.failures()) {
        std::printf("FAIL %s: %s\n", named.name, failure.c_str());
      }
    }
    std::fflush(stdout);
  }
  std::printf("%d failed\n", failed);
  return failed;
}

}  // namespace zr590::conformance
