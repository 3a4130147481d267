// Retained frames: the library keeps the drawing commands since the last clear in a compact
// list and draws them when the picture is needed (a copy to the window, a PNG, a test reading
// pixels), only where they differ from the frame drawn before.
//
// A clear begins a frame. While it is recorded, each command is compared with the command at
// the same place in the last frame; until the two part, a command costs that comparison and
// nothing else. Settling finds the common end as well, takes the boxes of the commands in
// between, old and new, as damage, and draws the new frame again clipped to it. An identical
// frame draws nothing. Commands outside a frame (a program that never clears, drawing after the
// frame was shown) are drawn at once, as are all commands when the picture cannot clip.
//
// Nothing observable changes: every command paints its pixels in one opaque colour whatever
// lies beneath, and a clip cuts a command without changing it, so the picture always comes out
// as drawing each command at once would have left it.
#pragma once

#include <cstddef>

#include "command_list.h"
#include "renderer.h"
#include "window_state.h"

namespace zr590 {

struct Figure;

class Frames {
 public:
  // With retention off every command is drawn at once (tests compare the two ways).
  void set_enabled(bool enabled);
  // A clear: `background` begins a frame, if the picture can draw within a clip; otherwise it
  // is drawn at once like every command.
  void begin(const DrawCommand& background);
  bool recording() const { return recording_; }
  // Records a command of the frame. The common case inline: the same command as at this place
  // in the last frame.
  void record(const DrawCommand& command) {
    if (!parted_ && matched_ < shown_size_ && window_state.centre_x == origin_.x &&
        window_state.centre_y == origin_.y && shown_.same(matched_, command)) {
      ++matched_;
      return;
    }
    record_new(command);
  }
  // Records figures given as data (Display::drawFigures) for as long as they are plain and
  // equal, in order, to the commands of the last frame at the same places; returns how many.
  std::size_t record_same(const Figure* figures, std::size_t count);
  // Draws a command at once, on top of the picture.
  void draw_now(const DrawCommand& command);
  // Draws what the frame recorded where it differs from the last. Afterwards the picture is
  // what drawing each command at once would have made it.
  void settle();
  // Settles if the frame draws into `picture`.
  void settle(const platform::Picture& picture) {
    if (recording_ && target_ == &picture) settle();
  }
  // The next frame is drawn whole (benchmarks measure that).
  void forget();

  // Whether the picture may hold drawing the window has not been given yet (a copy clears it):
  // pixels drawn since, or a frame being recorded. A settled frame that drew the same as the
  // last one changed nothing, so an idle program's redraw leaves nothing to copy.
  bool changed() const { return changed_ || recording_; }
  void mark_shown() { changed_ = false; }

 private:
  void record_new(const DrawCommand& command);
  void forget_shown();

  bool enabled_ = true;
  bool changed_ = true;
  // The picture the frames draw into, and the origin the shown frame was drawn with.
  platform::Picture* target_ = nullptr;
  Origin origin_{0, 0};
  // The frame the picture shows, when `shown_complete_`; otherwise empty (the picture holds
  // more than any list describes).
  CommandList shown_;
  std::size_t shown_size_ = 0;  // its size, for the comparison of every command
  bool shown_complete_ = false;
  std::size_t frame_size_ = 0;  // commands of the last frame drawn
  // The frame being recorded: its first `matched_` commands equal the shown frame's; from the
  // first that differs (`parted_`) on, its commands are in `tail_`.
  bool recording_ = false;
  bool parted_ = false;
  std::size_t matched_ = 0;
  CommandList tail_;
};

extern Frames& frames;  // the library state's

inline void render_command(const DrawCommand& command) {
  if (frames.recording()) {
    frames.record(command);
  } else {
    frames.draw_now(command);
  }
}

}  // namespace zr590
