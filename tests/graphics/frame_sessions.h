// Sessions for the frame checks, shared by the frame tests (choices from a seeded generator)
// and the frame fuzz target (choices from the input's bytes).
#pragma once

#include "frame_check.h"
#include "platform/headless/headless_platform.h"

namespace zr590::testing {

// Where a session's choices come from.
class Choices {
 public:
  virtual ~Choices() = default;
  // A number from lo to hi.
  virtual int in(int lo, int hi) = 0;
  // No choices left: the session ends early.
  virtual bool exhausted() const { return false; }
};

// Library calls, frame after frame: most repeat the last frame with a change or two, as an
// editor's do; some begin with the background alone, some are drawn on top with no clear, some
// are copied half drawn, now and then the window changes size in the middle of one (which
// moves the drawing origin), and at the end a program that never clears piles its calls up
// on the picture. Bad arguments, wide pens, far coordinates and text among them. The window is
// checked after every frame, the picture now and then. At most `frames` frames of at most
// `calls` calls at once.
void library_session(Choices& choose, FrameCheck& check, platform::HeadlessPlatform& headless,
                     int frames = 60, int calls = 40);

// The editor on `messages` messages: clicks, mostly near the tools and colours, keys (the 'c'
// that clears the drawing among them) and ticks; SAVE and LOAD get the name "drawing.txt",
// which is removed first so that every run starts with the same files.
void editor_session(Choices& choose, int messages, platform::HeadlessPlatform& headless);

}  // namespace zr590::testing
