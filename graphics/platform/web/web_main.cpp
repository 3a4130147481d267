// The web backend's process entry (run_process, called by main() in program_main.cpp), and the
// page's way in: the exported functions below are what zr590-page.js calls with the page's
// input. The program (the editor or any other) runs under ASYNCIFY, so its blocking waits stay
// as they are.
#include <emscripten.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/web/page.h"
#include "platform/web/web_platform.h"

namespace {

using zr590::platform::Window;
using zr590::platform::web::WebPlatform;

// Lives until the page goes: the library's state refers to it to the last moment.
WebPlatform& the_platform() {
  static WebPlatform platform;
  return platform;
}

// The page's input reaches the platform that lives now (the program's, or a test's).
WebPlatform& input() {
  WebPlatform* web = WebPlatform::page_input();
  return web != nullptr ? *web : the_platform();
}

Window window_of(int text) {
  return text != 0 ? Window::Text : Window::Graphics;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void zr590_web_mouse_down(int x, int y) {
  input().mouse_down(x, y);
}

EMSCRIPTEN_KEEPALIVE int zr590_web_key(int text_window, int press, const char* key,
                                       const char* code, int ctrl, int shift, int alt) {
  zr590::platform::web::KeyEvent event{key, code, ctrl != 0, shift != 0, alt != 0};
  return input().key(window_of(text_window), press != 0, event) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void zr590_web_command(int id) {
  input().command(id);
}
EMSCRIPTEN_KEEPALIVE void zr590_web_timer(int id) {
  input().timer(id);
}
EMSCRIPTEN_KEEPALIVE void zr590_web_focus_lost() {
  input().focus_lost();
}

EMSCRIPTEN_KEEPALIVE void zr590_web_close_text() {
  input().close_text();
}

}  // extern "C"

namespace zr590::platform {

// A page has no command line: the program gets its name (the page's) and no arguments.
int run_process(int argc, char** argv, int (*program)(int, char**)) {
  WebPlatform& web = the_platform();
  if (std::optional<std::string> messages = web::page::session()) {
    std::string error;
    if (!web.start_session(*messages, error)) {
      std::fprintf(stderr, "session: %s\n", error.c_str());
      web.program_ended(2);
      return 2;
    }
  }
  set_current(&web);
  StartupArgs args;
  args.show_command = 1;
  const int status = run_application(args, program, argc, argv);
  web.program_ended(status);
  return status;
}

}  // namespace zr590::platform
