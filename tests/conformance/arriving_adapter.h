// The user, for a backend that takes input through arrive() (into its queue at once, as a
// window system's would): clicks, the close box, and a keyboard of letters, each typing its
// lower-case letter, or its control code while Ctrl is held.
#pragma once

#include "contract.h"

namespace zr590::conformance {

template <class Backend>
class ArrivingAdapter : public Adapter {
 public:
  void click(int x, int y) override {
    backend().arrive({{platform::Window::Graphics, platform::MessageKind::LButtonDown, x, y}});
  }
  void key(int key_code, bool down) override {
    using platform::MessageKind;
    if (key_code == platform::kCtrlKey) ctrl_ = down;
    const int character =
        key_code >= 'A' && key_code <= 'Z' ? (ctrl_ ? key_code & 0x1F : key_code | 0x20) : -1;
    backend().arrive(
        {{platform::Window::Graphics, down ? MessageKind::KeyDown : MessageKind::KeyUp, key_code},
         down ? character : -1});
  }
  void close_box() override {
    backend().arrive({{platform::Window::Graphics, platform::MessageKind::Destroy}, -1, true});
  }
  // Neither has a close box of the text window to click.
  bool text_close_box() override { return false; }

 protected:
  virtual Backend& backend() = 0;

 private:
  bool ctrl_ = false;
};

}  // namespace zr590::conformance
