// The conformance suite against the web backend in a browser page (tests/web runs the page in
// headless Chromium): the adapter dispatches the DOM events a user's mouse and keyboard make
// to the page's canvas, answers the dialog through the page, lets the browser's timers run
// while the program is busy, and reads what the canvas shows. The page has no close box for
// the graphics window, so that case is not run here.
#include <emscripten.h>
#include <zr590/entry.h>

#include <memory>
#include <vector>

#include "contract.h"
#include "platform/web/page.h"
#include "platform/web/web_platform.h"

namespace zr590::conformance {
namespace {

using platform::web::WebPlatform;

// clang-format off
EM_JS(void, js_click, (int x, int y), {
  const canvas = document.getElementById('canvas');
  const box = canvas.getBoundingClientRect();
  canvas.dispatchEvent(new PointerEvent('pointerdown', {
    bubbles: true, button: 0,
    clientX: box.left + (x + 0.5) * box.width / canvas.width,
    clientY: box.top + (y + 0.5) * box.height / canvas.height}));
});
EM_JS(void, js_key, (const char* key, const char* code, int down, int ctrl), {
  document.getElementById('canvas').dispatchEvent(new KeyboardEvent(down ? 'keydown' : 'keyup', {
    bubbles: true, cancelable: true, key: UTF8ToString(key), code: UTF8ToString(code),
    ctrlKey: !!ctrl}));
});
EM_JS(void, js_text_close, (), { document.getElementById('text-close').click(); });
EM_JS(void, js_answer_dialog, (const char* text), {
  Module.zr590Page.nextAnswer = UTF8ToString(text);
});
EM_JS(int, js_canvas_pixel, (int x, int y), {
  const data = document.getElementById('canvas').getContext('2d').getImageData(x, y, 1, 1).data;
  return (data[0] << 16) | (data[1] << 8) | data[2];
});
// clang-format on

class WebAdapter final : public Adapter {
 public:
  platform::Platform& start() override {
    platform_ = std::make_unique<WebPlatform>();
    return *platform_;
  }
  void finish() override { platform_.reset(); }

  void click(int x, int y) override { js_click(x, y); }
  void key(int key_code, bool down) override {
    if (key_code == platform::kCtrlKey) {
      ctrl_ = down;
      js_key("Control", "ControlLeft", down, down);
      return;
    }
    // A keyboard of letters, as the browser reports them.
    const char letter[] = {static_cast<char>(key_code | 0x20), '\0'};
    const std::string code = std::string("Key") + static_cast<char>(key_code);
    js_key(letter, code.c_str(), down, ctrl_);
  }
  void close_box() override {}
  // The text panel's close button.
  bool text_close_box() override {
    js_text_close();
    return true;
  }
  void answer_dialog(const std::string& text) override { js_answer_dialog(text.c_str()); }

  void let_time_pass(int ms) override {
    // Busy: the program takes nothing, while the browser runs the page's timers.
    const double end = now_ms() + ms;
    while (now_ms() < end) platform::web::page::yield();
  }
  double now_ms() override { return emscripten_get_now(); }
  // A browser tells no processor time; what the program did not sleep is the nearest.
  double cpu_ms() override { return now_ms() - platform::web::page::asleep_ms(); }
  platform::Rgb window_pixel(int x, int y) override {
    const int rgb = js_canvas_pixel(x, y);
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
            static_cast<std::uint8_t>(rgb)};
  }

 private:
  std::unique_ptr<WebPlatform> platform_;
  bool ctrl_ = false;
};

}  // namespace
}  // namespace zr590::conformance

int main(int argc, char** argv) {
  // Every case but the close box, which the page does not have; or those named.
  std::vector<char*> cases(argv, argv + argc);
  if (argc < 2) {
    for (const char* name : {"creation", "order", "merged_tick", "text_close_hides", "keys",
                             "timer", "dialog", "pictures"}) {
      cases.push_back(const_cast<char*>(name));
    }
  }
  zr590::conformance::WebAdapter adapter;
  return zr590::conformance::run(adapter, static_cast<int>(cases.size()), cases.data());
}
