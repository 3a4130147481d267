#include "frame_check.h"

#include <cairo.h>

#include <cstring>

#include "frame.h"
#include "library_state.h"

namespace zr590::testing {

FrameCheck::FrameCheck(platform::HeadlessPlatform& headless)
    : headless_(headless), watch_(headless, *this) {}

std::string FrameCheck::run(const std::function<void()>& session) {
  taken_ = 0;
  difference_.clear();
  for (bool retained : {false, true}) {
    reset_library_state();
    frames.set_enabled(retained);
    // Both runs start from the same pixels.
    platform::CairoPicture& picture = headless_.picture_surface();
    picture.set_clip({0, 0, picture.width(), picture.height()});
    picture.rectangle({0, 0, picture.width(), picture.height()}, {1, {0, 0, 0}},
                      {false, {0, 0, 0}});
    headless_.copy_picture_to_window();
    platform::set_current(&watch_);
    retained_ = retained;
    index_ = 0;
    session();
    check_picture();
    platform::set_current(&headless_);
    reset_library_state();
    if (retained && index_ != taken_ && difference_.empty()) {
      difference_ = "the runs made different numbers of checkpoints";
    }
    if (!difference_.empty()) break;
  }
  return difference_;
}

void FrameCheck::check_window() {
  checkpoint(headless_.window_surface().surface(), "window");
}

void FrameCheck::check_picture() {
  checkpoint(headless_.picture_surface().surface(), "picture");
}

void FrameCheck::checkpoint(cairo_surface_t* surface, const char* what) {
  const unsigned char* pixels = cairo_image_surface_get_data(surface);
  const auto size = static_cast<std::size_t>(cairo_image_surface_get_stride(surface)) *
                    static_cast<std::size_t>(cairo_image_surface_get_height(surface));
  if (!retained_) {
    if (taken_ == snapshots_.size()) snapshots_.emplace_back();
    snapshots_[taken_++].assign(pixels, pixels + size);
  } else if (difference_.empty() &&
             (index_ >= taken_ || snapshots_[index_].size() != size ||
              std::memcmp(snapshots_[index_].data(), pixels, size) != 0)) {
    difference_ = std::string("the ") + what + " at checkpoint " + std::to_string(index_) +
                  " differs from drawing each command at once";
  }
  ++index_;
}

}  // namespace zr590::testing
