// Retained frames against drawing every command at once: a session runs twice on the headless
// backend, first with every command drawn at once, then with frames kept, and at each
// checkpoint (every message the library takes, and wherever the session asks) the window, or
// the picture itself, must be the same in both runs, pixel for pixel. Shared by the frame
// tests and the frame fuzz target.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forwarding_platform.h"
#include "platform/headless/headless_platform.h"

namespace zr590::testing {

class FrameCheck {
 public:
  explicit FrameCheck(platform::HeadlessPlatform& headless);

  // Runs `session` both ways, from the library's state at program load and a black picture
  // and window. Returns "" or where the runs first differ.
  std::string run(const std::function<void()>& session);
  // A checkpoint of the window, as the last copy left it.
  void check_window();
  // A checkpoint of the picture, with every command drawn so far in it.
  void check_picture();

 private:
  class Watch final : public platform::ForwardingPlatform {
   public:
    Watch(platform::HeadlessPlatform& inner, FrameCheck& check)
        : ForwardingPlatform(inner), inner_(inner), check_(check) {}
    platform::Take take_message() override {
      const platform::Take taken = inner_.take_message();
      if (taken != platform::Take::Nothing) check_.check_window();
      return taken;
    }

   private:
    platform::HeadlessPlatform& inner_;
    FrameCheck& check_;
  };

  void checkpoint(cairo_surface_t* surface, const char* what);

  platform::HeadlessPlatform& headless_;
  Watch watch_;
  bool retained_ = false;
  std::size_t index_ = 0;
  // The first run's checkpoints, pixels as they are; `snapshots_` keeps its buffers from one
  // run to the next (a fuzz campaign runs thousands), `taken_` says how many hold this run's.
  std::vector<std::vector<unsigned char>> snapshots_;
  std::size_t taken_ = 0;
  std::string difference_;
};

}  // namespace zr590::testing
