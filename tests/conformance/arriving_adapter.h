// The user, for a backend made here that takes input through arrive() (into its queue at once,
// as a window system's would): clicks, the close box, and a keyboard of letters, each typing
// its lower-case letter, or its control code while Ctrl is held. The window shows the
// backend's window surface; processor time is the thread's.
#pragma once

#include <time.h>

#include <memory>

#include "contract.h"

namespace zr590::conformance {

template <class Backend>
class ArrivingAdapter : public Adapter {
 public:
  platform::Platform& start() override {
    backend_ = std::make_unique<Backend>();
    started(*backend_);
    ctrl_ = false;
    return *backend_;
  }
  void finish() override { backend_.reset(); }

  void click(int x, int y) override {
    backend_->arrive({{platform::Window::Graphics, platform::MessageKind::LButtonDown, x, y}});
  }
  void key(int key_code, bool down) override {
    using platform::MessageKind;
    if (key_code == platform::kCtrlKey) ctrl_ = down;
    const int character =
        key_code >= 'A' && key_code <= 'Z' ? (ctrl_ ? key_code & 0x1F : key_code | 0x20) : -1;
    backend_->arrive(
        {{platform::Window::Graphics, down ? MessageKind::KeyDown : MessageKind::KeyUp, key_code},
         down ? character : -1});
  }
  void close_box() override {
    backend_->arrive({{platform::Window::Graphics, platform::MessageKind::Destroy}, -1, true});
  }
  // Neither has a close box of the text window to click.
  bool text_close_box() override { return false; }

  double cpu_ms() override { return milliseconds(CLOCK_THREAD_CPUTIME_ID); }
  platform::Rgb window_pixel(int x, int y) override {
    return backend_->window_surface().pixel(x, y);
  }

 protected:
  // Sets up a new backend before the case uses it.
  virtual void started(Backend&) {}
  Backend& backend() { return *backend_; }
  static double milliseconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
  }

 private:
  std::unique_ptr<Backend> backend_;
  bool ctrl_ = false;
};

}  // namespace zr590::conformance
