// The conformance suite against the minimal backend: the user's input arrives at once, time is
// the real clock.
#include <time.h>

#include <memory>
#include <thread>

#include "contract.h"
#include "platform/minimal/minimal_platform.h"

namespace zr590::conformance {
namespace {

double milliseconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

class MinimalAdapter final : public Adapter {
 public:
  platform::Platform& start() override {
    platform_ = std::make_unique<platform::MinimalPlatform>();
    return *platform_;
  }
  void finish() override { platform_.reset(); }

  void click(int x, int y) override {
    platform_->arrive({{platform::Window::Graphics, platform::MessageKind::LButtonDown, x, y}});
  }
  void key(int key_code, bool down) override {
    using platform::MessageKind;
    if (key_code == platform::kCtrlKey) ctrl_ = down;
    const int character =
        key_code >= 'A' && key_code <= 'Z' ? (ctrl_ ? key_code & 0x1F : key_code | 0x20) : -1;
    platform_->arrive(
        {{platform::Window::Graphics, down ? MessageKind::KeyDown : MessageKind::KeyUp, key_code},
         down ? character : -1});
  }
  void close_box() override {
    platform_->arrive({{platform::Window::Graphics, platform::MessageKind::Destroy}, -1, true});
  }
  bool text_close_box() override { return false; }
  void answer_dialog(const std::string& text) override {
    platform_->answer(text.substr(0, platform::kReplyLength));
  }

  void let_time_pass(int ms) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  double now_ms() override { return milliseconds(CLOCK_MONOTONIC); }
  double cpu_ms() override { return milliseconds(CLOCK_THREAD_CPUTIME_ID); }
  platform::Rgb window_pixel(int x, int y) override {
    return platform_->window_surface().pixel(x, y);
  }

 private:
  std::unique_ptr<platform::MinimalPlatform> platform_;
  bool ctrl_ = false;
};

}  // namespace
}  // namespace zr590::conformance

int main(int argc, char** argv) {
  zr590::conformance::MinimalAdapter adapter;
  return zr590::conformance::run(adapter, argc, argv);
}
