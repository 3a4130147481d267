#include "frame.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "damage.h"
#include "figures.h"

namespace zr590 {
namespace {

constexpr platform::Box kWholePicture{0, 0, platform::kPictureWidth, platform::kPictureHeight};
// A frame whose texts grow beyond this is shown as far as it goes, the rest drawn at once.
constexpr std::size_t kMaxTextBytes = std::size_t{1} << 28;
// Commands drawn on top of a shown frame are kept with it up to twice its size and this many.
constexpr std::size_t kOnTop = 4096;

// Whether a figure may paint inside `area`, worked out from its points as kept, without
// building the command: a frame drawn again for a small change asks this of every command.
// Whether the figure's first bytes are the kept command's. Word by word: WebAssembly would call
// memcmp here, once per figure of an idle redraw, where native compilers compare inline.
inline bool same_bytes(const Figure& figure, const KeptCommand& kept) {
  constexpr std::size_t kWords = sizeof(KeptCommand) / sizeof(std::uint32_t);
  std::uint32_t a[kWords], b[kWords];
  std::memcpy(a, &figure, sizeof a);
  std::memcpy(b, &kept, sizeof b);
  std::uint32_t differ = 0;
  for (std::size_t i = 0; i < kWords; ++i) differ |= a[i] ^ b[i];
  return differ == 0;
}

inline bool may_reach(const KeptCommand& kept, Origin origin, const platform::Box& area) {
  long long left = std::min(kept.x1, kept.x2), right = std::max(kept.x1, kept.x2);
  long long low = std::min(kept.y1, kept.y2), high = std::max(kept.y1, kept.y2);
  if (kept.kind == KindTriangle) {
    left = std::min<long long>(left, kept.x3);
    right = std::max<long long>(right, kept.x3);
    low = std::min<long long>(low, kept.y3);
    high = std::max<long long>(high, kept.y3);
  }
  const long long by = pen_reach(kept.kind, kept.width) + 1;
  // Without branches: which commands reach the damage is anyone's guess.
  return (origin.x + left - by < area.right) & (origin.x + right + by >= area.left) &
         (origin.y - high - by < area.bottom) & (origin.y - low + by >= area.top);
}

}  // namespace

void Frames::set_enabled(bool enabled) {
  settle();
  enabled_ = enabled;
  forget_shown();
}

void Frames::forget_shown() {
  shown_.clear();
  shown_size_ = 0;
  shown_complete_ = false;
}

void Frames::begin(const DrawCommand& background) {
  platform::Picture& picture = platform::current().picture();
  const Origin origin = current_origin();
  // What was recorded since the last clear is covered: nothing of it will show.
  tail_.clear();
  recording_ = false;
  if (&picture != target_ || origin != origin_) forget_shown();
  target_ = &picture;
  origin_ = origin;
  if (!enabled_ || !picture.can_clip()) {
    forget_shown();
    draw_now(background);
    return;
  }
  recording_ = true;
  parted_ = false;
  matched_ = 0;
  record(background);
}

void Frames::record_new(const DrawCommand& command) {
  if (current_origin() != origin_) {
    // The window changed size in the middle of a frame: what was recorded is drawn as it was
    // placed, and the rest at once.
    settle();
    draw_now(command);
    return;
  }
  if (!parted_) {
    if (matched_ < shown_.size() && shown_.same(matched_, command)) {
      ++matched_;
      return;
    }
    parted_ = true;
  }
  tail_.push(command);
  if (tail_.text_bytes() > kMaxTextBytes) settle();
}

std::size_t Frames::record_same(const Figure* figures, std::size_t count) {
  // With logging on, every figure makes its log line on the way of its own call.
  if (!recording_ || parted_ || window_state.logging_on || current_origin() != origin_ ||
      matched_ >= shown_size_) {
    return 0;
  }
  // An idle program redraws the same figures again and again: this loop is all such a frame
  // costs per figure.
  const std::size_t n = std::min(count, shown_size_ - matched_);
  const KeptCommand* kept = &shown_.kept(matched_);
  std::size_t same = 0;
  for (; same < n; ++same) {
    const Figure& figure = figures[same];
    // A figure laid out exactly as the kept command is that command (a kept figure has its
    // arguments checked and its corners in order), if it is a figure at all.
    if (same_bytes(figure, kept[same]) &&
        static_cast<unsigned>(figure.kind) <= Figure::Oval) [[likely]] {
      continue;
    }
    if (!plain_figure(figure) || !shown_.same(matched_ + same, figure_command(figure))) break;
  }
  matched_ += same;
  return same;
}

void Frames::draw_now(const DrawCommand& command) {
  platform::Picture& picture = platform::current().picture();
  const Origin origin = current_origin();
  draw_command(picture, command, origin);
  changed_ = true;
  // The shown list goes on describing the picture while it can.
  if (shown_complete_ && &picture == target_ && origin == origin_ &&
      shown_.size() < 2 * frame_size_ + kOnTop) {
    shown_.push(command);
    shown_size_ = shown_.size();
  } else {
    forget_shown();
  }
}

void Frames::settle() {
  if (!recording_) return;
  recording_ = false;
  platform::Picture& picture = *target_;
  if (!shown_complete_) {
    // Nothing to compare with: the frame is drawn whole.
    for (std::size_t i = 0; i < tail_.size(); ++i) draw_command(picture, tail_[i], origin_);
    changed_ = true;
  } else {
    // The commands between the common start and the common end differ; where they paint, old
    // or new, the new frame is drawn again.
    const std::size_t old_rest = shown_.size() - matched_, new_rest = tail_.size();
    std::size_t common_end = 0;
    while (common_end < old_rest && common_end < new_rest &&
           shown_.same(shown_.size() - 1 - common_end, tail_[new_rest - 1 - common_end])) {
      ++common_end;
    }
    Damage damage(kWholePicture);
    for (std::size_t i = matched_; i < shown_.size() - common_end; ++i) {
      damage.add(command_bounds(picture, shown_[i], origin_));
    }
    for (std::size_t i = 0; i < new_rest - common_end; ++i) {
      damage.add(command_bounds(picture, tail_[i], origin_));
    }
    const platform::Box& damaged = damage.bounds();
    auto draw_within = [&](const CommandList& list, std::size_t i) {
      const KeptCommand& kept = list.kept(i);
      if (kept.kind != KindText && kept.kind != KindBackground &&
          !may_reach(kept, origin_, damaged)) {
        return;
      }
      const DrawCommand command = list[i];
      const platform::Box area = command_bounds(picture, command, origin_);
      if (!intersects(area, damage.bounds())) return;
      for (const platform::Box& rect : damage.rects()) {
        const platform::Box clip = intersection(area, rect);
        if (is_empty(clip)) continue;
        picture.set_clip(clip);
        draw_command(picture, command, origin_);
      }
    };
    if (!damage.empty()) {
      changed_ = true;
      for (std::size_t i = 0; i < matched_; ++i) draw_within(shown_, i);
      for (std::size_t i = 0; i < new_rest; ++i) draw_within(tail_, i);
      picture.set_clip(kWholePicture);
    }
  }
  shown_.splice(matched_, tail_);
  shown_size_ = shown_.size();
  shown_complete_ = true;
  frame_size_ = shown_.size();
  tail_.clear();
}

void Frames::forget() {
  settle();
  forget_shown();
}

}  // namespace zr590

namespace zr590::platform {

void settle_drawing(const Picture& picture) {
  zr590::frames.settle(picture);
}

}  // namespace zr590::platform
