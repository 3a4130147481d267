#include "frame_check.h"

#include <cairo.h>

#include <cstring>

#include "frame.h"
#include "library_state.h"

namespace zr590::testing {
namespace {

// Every pixel read, so the sanitizers' checks of each read would cost most of a fuzz input.
__attribute__((no_sanitize("address", "undefined"))) std::uint64_t digest(
    cairo_surface_t* surface) {
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const std::size_t row_bytes =
      static_cast<std::size_t>(cairo_image_surface_get_width(surface)) * 4;
  std::uint64_t h = 0x9E3779B97F4A7C15u;
  for (int y = 0; y < cairo_image_surface_get_height(surface); ++y) {
    const unsigned char* row = data + static_cast<std::size_t>(y) * stride;
    for (std::size_t i = 0; i + 8 <= row_bytes; i += 8) {
      std::uint64_t word;
      std::memcpy(&word, row + i, 8);
      h = (h ^ word) * 0x100000001B3u;
      h ^= h >> 29;
    }
    for (std::size_t i = row_bytes / 8 * 8; i < row_bytes; ++i) h = (h ^ row[i]) * 0x100000001B3u;
  }
  return h;
}

}  // namespace

FrameCheck::FrameCheck(platform::HeadlessPlatform& headless)
    : headless_(headless), watch_(headless, *this) {}

std::string FrameCheck::run(const std::function<void()>& session) {
  digests_.clear();
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
    if (retained && index_ != digests_.size() && difference_.empty()) {
      difference_ = "the runs made different numbers of checkpoints";
    }
    if (!difference_.empty()) break;
  }
  return difference_;
}

void FrameCheck::check_window() {
  checkpoint(digest(headless_.window_surface().surface()), "window");
}

void FrameCheck::check_picture() {
  checkpoint(digest(headless_.picture_surface().surface()), "picture");
}

void FrameCheck::checkpoint(std::uint64_t value, const char* what) {
  if (!retained_) {
    digests_.push_back(value);
  } else if (difference_.empty() && (index_ >= digests_.size() || digests_[index_] != value)) {
    difference_ = std::string("the ") + what + " at checkpoint " + std::to_string(index_) +
                  " differs from drawing each command at once";
  }
  ++index_;
}

}  // namespace zr590::testing
