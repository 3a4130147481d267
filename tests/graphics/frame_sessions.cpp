#include "frame_sessions.h"

#include <zr590/display.h>
#include <zr590/zr590.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "editor_loop.h"

namespace zr590::testing {
namespace {

using platform::MessageKind;

// One drawing call, with arguments good and bad.
struct Call {
  int kind, colour, x1, y1, x2, y2, x3, y3, width;
  const char* text;

  void draw() const {
    switch (kind) {
      case 0:
        ZR590_rectangle(colour, x1, y1, x2, y2, width);
        break;
      case 1:
        ZR590_oval(colour, x1, y1, x2, y2, width);
        break;
      case 2:
        ZR590_circle(colour, x1, y1, x2);
        break;
      case 3:
        ZR590_triangle(colour, x1, y1, x2, y2, x3, y3, width);
        break;
      case 4:
        ZR590_line(colour, x1, y1, x2, y2, width);
        break;
      default:
        ZR590_text(colour, x1, y1, width, "%s", text);
        break;
    }
  }
  // The rectangle, oval and triangle calls as figures given as data; a line as a figure of
  // no kind, which draws nothing, though its numbers are those the line drawn by a frame
  // before may have left.
  bool is_figure() const { return kind == 0 || kind == 1 || kind == 3 || kind == 4; }
  Figure figure() const {
    if (kind == 4)
      return {static_cast<Figure::Kind>(3), colour, std::max(width, 1), x1, y1, x2, y2, 0, 0};
    const Figure::Kind as[] = {Figure::Rectangle, Figure::Oval, Figure::Oval, Figure::Triangle};
    return {as[kind], colour, width, x1, y1, x2, y2, x3, y3};
  }
};

Call any_call(Choices& choose) {
  static const char* const kTexts[] = {"PICK", "two\nlines", "caf\xe9", "j_q|W", "\n", "%d%%"};
  const int reach = choose.in(0, 20) == 0 ? 5000000 : 330;
  auto at = [&] { return choose.in(-reach, reach); };
  Call call{choose.in(0, 5),
            choose.in(0, 20) == 0 ? choose.in(-3, 30) : choose.in(0, 23),
            at(),
            at(),
            0,
            0,
            0,
            0,
            0,
            ""};
  call.x2 = call.x1 + choose.in(-40, 40);
  call.y2 = call.y1 + choose.in(-40, 40);
  call.x3 = call.x1 + choose.in(-40, 40);
  call.y3 = call.y1 + choose.in(-40, 40);
  call.width = choose.in(0, 9) < 7 ? choose.in(0, 1) : choose.in(-3, 7);
  if (call.kind == 2) call.x2 = choose.in(-3, 30);  // the radius
  if (call.kind == 5) {
    call.text = kTexts[choose.in(0, 5)];
    call.width = choose.in(-5, 40);  // the point size
  }
  return call;
}

int index_in(Choices& choose, std::size_t size) {
  return choose.in(0, static_cast<int>(size));
}

}  // namespace

void library_session(Choices& choose, FrameCheck& check, platform::HeadlessPlatform& headless,
                     int frames, int calls) {
  headless.resize_client(platform::kPictureWidth, platform::kPictureHeight);
  Display display;
  std::vector<Call> scene;
  for (int n = choose.in(0, calls); n > 0; --n) scene.push_back(any_call(choose));
  for (int frame = 0; frame < frames && !choose.exhausted(); ++frame) {
    const int change = choose.in(0, 9);
    if (change < 4 && !scene.empty()) {
      scene[index_in(choose, scene.size() - 1)] = any_call(choose);
    } else if (change < 6) {
      scene.insert(scene.begin() + index_in(choose, scene.size()), any_call(choose));
    } else if (change < 8 && !scene.empty()) {
      scene.erase(scene.begin() + index_in(choose, scene.size() - 1));
    } else if (change == 8) {
      scene.clear();
      for (int n = choose.in(0, calls); n > 0; --n) scene.push_back(any_call(choose));
    }
    const int how = choose.in(0, 9);
    if (how == 0) {
      ZR590_clear();  // the background alone
    } else if (how != 1) {
      display.clear(choose.in(0, 9) == 0 ? choose.in(0, 23) : 1);
    }
    const int copied = choose.in(0, 5) == 0 ? index_in(choose, scene.size()) : -1;
    const int resized = choose.in(0, 15) == 0 ? index_in(choose, scene.size()) : -1;
    // In some frames the figures go to the display as data, in runs.
    const bool as_data = choose.in(0, 1) == 1;
    std::vector<Figure> run;
    auto draw_run = [&] {
      display.drawFigures(run.data(), static_cast<int>(run.size()));
      run.clear();
    };
    for (int i = 0; i < static_cast<int>(scene.size()); ++i) {
      const Call& call = scene[static_cast<std::size_t>(i)];
      if (i == copied || i == resized || !as_data || !call.is_figure()) draw_run();
      if (i == copied) ZR590_flush();
      if (i == resized) headless.resize_client(choose.in(500, 700), choose.in(400, 600));
      if (as_data && call.is_figure()) {
        run.push_back(call.figure());
      } else {
        call.draw();
      }
    }
    draw_run();
    ZR590_flush();
    check.check_window();
    if (choose.in(0, 3) == 0) check.check_picture();
  }
  for (int n = choose.in(0, 1) * 2500; n > 0 && !choose.exhausted(); --n) any_call(choose).draw();
  ZR590_flush();
  check.check_window();
}

void editor_session(Choices& choose, int messages, platform::HeadlessPlatform& headless) {
  std::remove("drawing.txt");
  auto send = [&](MessageKind kind, int a, int b = 0) {
    headless.push_message({platform::Window::Graphics, kind, a, b});
  };
  for (int n = 0; n < messages && !choose.exhausted(); ++n) {
    const int what = choose.in(0, 19);
    if (what < 5) {
      send(MessageKind::LButtonDown, choose.in(0, 60), choose.in(0, 539));
    } else if (what < 7) {
      send(MessageKind::LButtonDown, choose.in(0, 600), choose.in(0, 60));
    } else if (what < 15) {
      send(MessageKind::LButtonDown, choose.in(0, 600), choose.in(0, 539));
    } else if (what < 16) {
      send(MessageKind::Char, choose.in(0, 3) == 0 ? 'c' : choose.in(32, 126));
    } else {
      send(MessageKind::Timer, 2);
    }
  }
  headless.push_reply("drawing.txt");
  headless.push_reply("drawing.txt");
  run_editor();
}

}  // namespace zr590::testing
