// The conformance suite against the headless backend: the adapter clicks, types and closes by
// handing the backend input that arrives at once, and lets its timers tick as time passes.
#include "arriving_adapter.h"
#include "platform/headless/headless_platform.h"

namespace zr590::conformance {
namespace {

class HeadlessAdapter final : public ArrivingAdapter<platform::HeadlessPlatform> {
 public:
  void answer_dialog(const std::string& text) override { backend().push_reply(text); }
  void let_time_pass(int ms) override { backend().let_time_pass(ms); }
  double now_ms() override { return static_cast<double>(backend().elapsed_ms()); }

 private:
  void started(platform::HeadlessPlatform& headless) override {
    // Nothing else will happen: the next tick comes.
    headless.on_queue_empty = [&headless] {
      if (headless.timer_running()) {
        headless.pass_time_to_next_tick();
      } else {
        headless.post_quit(0);
      }
    };
  }
};

}  // namespace
}  // namespace zr590::conformance

int main(int argc, char** argv) {
  zr590::conformance::HeadlessAdapter adapter;
  return zr590::conformance::run(adapter, argc, argv);
}
