// The conformance suite against the minimal backend: the user's input arrives at once, time is
// the real clock.
#include <time.h>

#include <memory>
#include <thread>

#include "arriving_adapter.h"
#include "platform/minimal/minimal_platform.h"

namespace zr590::conformance {
namespace {

double milliseconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

class MinimalAdapter final : public ArrivingAdapter<platform::MinimalPlatform> {
 public:
  platform::Platform& start() override {
    platform_ = std::make_unique<platform::MinimalPlatform>();
    return *platform_;
  }
  void finish() override { platform_.reset(); }

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
  platform::MinimalPlatform& backend() override { return *platform_; }

  std::unique_ptr<platform::MinimalPlatform> platform_;
};

}  // namespace
}  // namespace zr590::conformance

int main(int argc, char** argv) {
  zr590::conformance::MinimalAdapter adapter;
  return zr590::conformance::run(adapter, argc, argv);
}
