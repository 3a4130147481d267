// The conformance suite against the minimal backend: the user's input arrives at once, time is
// the real clock.
#include <chrono>
#include <thread>

#include "arriving_adapter.h"
#include "platform/minimal/minimal_platform.h"

namespace zr590::conformance {
namespace {

class MinimalAdapter final : public ArrivingAdapter<platform::MinimalPlatform> {
 public:
  void answer_dialog(const std::string& text) override {
    backend().answer(text.substr(0, platform::kReplyLength));
  }
  void let_time_pass(int ms) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  double now_ms() override { return milliseconds(CLOCK_MONOTONIC); }
};

}  // namespace
}  // namespace zr590::conformance

int main(int argc, char** argv) {
  zr590::conformance::MinimalAdapter adapter;
  return zr590::conformance::run(adapter, argc, argv);
}
