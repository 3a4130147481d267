// The conformance suite against the headless backend: the adapter clicks, types and closes by
// handing the backend input that arrives at once, and lets its timers tick as time passes.
#include <time.h>

#include <memory>

#include "arriving_adapter.h"
#include "platform/headless/headless_platform.h"

namespace zr590::conformance {
namespace {

class HeadlessAdapter final : public ArrivingAdapter<platform::HeadlessPlatform> {
 public:
  platform::Platform& start() override {
    platform_ = std::make_unique<platform::HeadlessPlatform>();
    // Nothing else will happen: the next tick comes.
    platform_->on_queue_empty = [this] {
      if (platform_->timer_running()) {
        platform_->pass_time_to_next_tick();
      } else {
        platform_->post_quit(0);
      }
    };
    return *platform_;
  }
  void finish() override { platform_.reset(); }

  void answer_dialog(const std::string& text) override { platform_->push_reply(text); }

  void let_time_pass(int ms) override { platform_->let_time_pass(ms); }
  double now_ms() override { return static_cast<double>(platform_->elapsed_ms()); }
  double cpu_ms() override {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
  }
  platform::Rgb window_pixel(int x, int y) override {
    return platform_->window_surface().pixel(x, y);
  }

 private:
  platform::HeadlessPlatform& backend() override { return *platform_; }

  std::unique_ptr<platform::HeadlessPlatform> platform_;
};

}  // namespace
}  // namespace zr590::conformance

int main(int argc, char** argv) {
  zr590::conformance::HeadlessAdapter adapter;
  return zr590::conformance::run(adapter, argc, argv);
}
