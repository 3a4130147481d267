#include "event_wait.h"

#include <zr590/zr590.h>

#include "library_state.h"
#include "platform/platform.h"
#include "script.h"

namespace zr590 {
namespace {

void copy_if_dirty() {
  if (window_state.picture_dirty) copy_picture();
}

// Whether this pass of the wait may sleep until a message comes: not while a script plays
// (its events need no message), and not while the wait is about to stage a periodic event
// (a tick that arrived before the staging would not count).
bool may_block() {
  if (script_state.playing || script_state.play_one_requested) return false;
  return !(window_state.pending.kind == -1 &&
           (window_state.running || window_state.step_requested));
}

// Whether the wait may return the slot: it holds input, or a periodic event whose tick came.
bool slot_ready() {
  const PendingEvent& pending = window_state.pending;
  return pending.kind != -1 && !(pending.kind == Periodic && !window_state.ticked);
}

void record(const PendingEvent& event) {
  if (event.kind == Periodic) {
    ++script_state.periodic_count;
    return;
  }
  if (script_state.periodic_count > 0) {
    script_write_event(Periodic, 0, 0, 0);
    script_state.periodic_count = 0;
  }
  script_write_event(event.kind, event.x, event.y, event.key);
}

}  // namespace

void pump_one_message() {
  platform::Platform& p = platform::current();
  // Nothing can change until a message comes: sleep instead of polling.
  if (may_block() && !p.has_message()) {
    copy_if_dirty();
    p.wait_message();
  }
  if (p.take_message() == platform::Take::Quit) {
    window_state.pending.kind = Quit;
    return;
  }
  copy_if_dirty();
}

}  // namespace zr590

using zr590::script_state;
using zr590::window_state;

int ZR590_await_event(int* x, int* y, char* key) {
  zr590::PendingEvent& pending = window_state.pending;
  pending = zr590::PendingEvent{};
  while (!zr590::slot_ready()) {
    zr590::pump_one_message();
    if (pending.kind == Quit) break;
    if (script_state.play_one_requested || script_state.playing) {
      script_state.play_one_requested = false;
      if (zr590::script_read_event() == 1) break;
    }
    if ((window_state.running || window_state.step_requested) && pending.kind == -1) {
      pending.kind = Periodic;
      window_state.ticked = 0;
      window_state.step_requested = false;
      script_state.play_one_requested = false;
    }
  }
  if (script_state.recording) zr590::record(pending);
  *x = pending.x;
  *y = pending.y;
  *key = pending.key;
  return window_state.quit_requested ? static_cast<int>(Quit) : pending.kind;
}

int ZR590_animate(int state) {
  if (!window_state.graphics_window) return 0;
  switch (static_cast<AnimationState>(state)) {
    case AnimationState::Halt:
      window_state.running = false;
      window_state.step_requested = false;
      break;
    case AnimationState::SingleStep:
      window_state.step_requested = true;
      break;
    case AnimationState::Run:
      window_state.running = true;
      break;
    case AnimationState::Quit:
      window_state.quit_requested = true;
      break;
    default:
      break;
  }
  return 1;
}
