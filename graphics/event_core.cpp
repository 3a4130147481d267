#include "event_core.h"

#include <zr590/zr590.h>

#include "frame.h"
#include "library_state.h"
#include "menu.h"
#include "platform/platform.h"
#include "script.h"

namespace zr590 {

EventCore& event_core() {
  return library.events;
}

void EventCore::mouse_pressed(int x, int y) {
  slot_.kind = Mouse;
  slot_.x = x;
  slot_.y = y;
}

void EventCore::character_typed(int code) {
  if (ctrl_held_) return;
  slot_.kind = Key;
  slot_.key = static_cast<char>(code);
}

bool EventCore::key_down(int key_code) {
  if (key_code == platform::kCtrlKey) {
    ctrl_held_ = true;
    return false;
  }
  return ctrl_held_;
}

void EventCore::key_up(int key_code) {
  if (key_code == platform::kCtrlKey) ctrl_held_ = false;
}

void EventCore::focus_lost() {
  // Left set, Ctrl would turn plain keys into shortcuts (q quits) and drop typed characters.
  ctrl_held_ = false;
}

void EventCore::tick() {
  ticked_ = true;
}

void EventCore::command(int id) {
  switch (id) {
    case CmdAnimate:
      running_ = true;
      break;
    case CmdHalt:
      running_ = false;  // a requested step stays requested
      break;
    case CmdAdvanceFrame:
      running_ = false;
      step_requested_ = true;
      break;
    case CmdRecordScript:
      if (recording_) {
        stop_recording();
      } else {
        start_recording();
      }
      break;
    case CmdPlaybackScript:
      if (playing_) {
        playing_ = false;
        platform::current().set_menu_check(CmdPlaybackScript, false);
        close_script();
      } else {
        running_ = false;
        step_requested_ = false;
        playing_ = true;
        platform::current().set_menu_check(CmdPlaybackScript, true);
      }
      break;
    case CmdPlayOneScript:
      play_one_requested_ = true;
      running_ = false;
      step_requested_ = false;
      break;
    default:
      break;
  }
}

void EventCore::animate(int state) {
  switch (static_cast<AnimationState>(state)) {
    case AnimationState::Halt:
      running_ = false;
      step_requested_ = false;
      break;
    case AnimationState::SingleStep:
      step_requested_ = true;
      break;
    case AnimationState::Run:
      running_ = true;
      break;
    case AnimationState::Quit:
      quit_requested_ = true;
      break;
    default:
      break;
  }
}

void EventCore::close_script() {
  script_close();
  // A closed script restarts at its first line, so a run left over from it is void.
  playback_run_ = 0;
}

void EventCore::start_recording() {
  recording_ = true;
  platform::current().set_menu_check(CmdRecordScript, true);
  // A playback that stopped (at an unknown line, or after single steps) leaves the file open
  // for reading. With no playback running that handle serves nobody, and kept it would refuse
  // every line of the new recording.
  if (script_open_for_reading() && !playing_ && !play_one_requested_) close_script();
}

void EventCore::stop_recording() {
  recording_ = false;
  platform::current().set_menu_check(CmdRecordScript, false);
  if (recorded_run_ > 0) {
    script_write_periodic(recorded_run_);
    recorded_run_ = 0;
  }
  close_script();
}

void EventCore::stop_playback() {
  playing_ = false;
  play_one_requested_ = false;
  platform::current().set_menu_check(CmdPlaybackScript, false);
}

// Puts the script's next event in the slot; false after switching playback off. Only what the
// line names changes: a key line leaves the position as it was, and so on.
bool EventCore::play_next() {
  if (playback_run_ > 0) {
    --playback_run_;
    slot_.kind = Periodic;
    return true;
  }
  const std::optional<ScriptLine> line = script_read_line();
  if (!line || line->kind == ScriptLine::Unknown) {
    stop_playback();
    return false;
  }
  switch (line->kind) {
    case ScriptLine::Key:
      slot_.kind = Key;
      slot_.key = line->key;
      break;
    case ScriptLine::Mouse:
      slot_.kind = Mouse;
      slot_.x = line->x;
      slot_.y = line->y;
      break;
    default:
      slot_.kind = Periodic;
      playback_run_ = line->count - 1;
      break;
  }
  return true;
}

// Runs of periodic events are written as one line when the run ends.
void EventCore::record() {
  if (slot_.kind == Periodic) {
    ++recorded_run_;
    return;
  }
  bool ok = true;
  if (recorded_run_ > 0) {
    ok = script_write_periodic(recorded_run_);
    recorded_run_ = 0;
  }
  ok = ok && script_write_event(slot_.kind, slot_.x, slot_.y, slot_.key);
  // A script that cannot be written is no longer recorded: the check mark says so.
  if (!ok) {
    recording_ = false;
    platform::current().set_menu_check(CmdRecordScript, false);
  }
}

// Whether this pass of the wait may sleep until a message comes: not while a script plays
// (its events need no message), and not while the wait is about to stage a periodic event
// (a tick that arrived before the staging would not count).
bool EventCore::may_block() const {
  if (playing_ || play_one_requested_) return false;
  return !(slot_.kind == -1 && (running_ || step_requested_));
}

// Whether the wait may return the slot: it holds input, or a periodic event whose tick came.
bool EventCore::slot_ready() const {
  return slot_.kind != -1 && !(slot_.kind == Periodic && !ticked_);
}

void EventCore::pump_one_message() {
  platform::Platform& p = platform::current();
  // Nothing can change until a message comes: sleep instead of polling.
  if (may_block() && !p.has_message()) {
    copy_changes();
    p.wait_message();
  }
  if (p.take_message() == platform::Take::Quit) {
    slot_.kind = Quit;
    return;
  }
  copy_changes();
}

Event EventCore::next_event() {
  // Whatever the window procedures put in the slot since the last wait is discarded.
  slot_ = Event{};
  from_script_ = false;
  while (!slot_ready()) {
    pump_one_message();
    if (slot_.kind == Quit) break;
    if (play_one_requested_ || playing_) {
      play_one_requested_ = false;
      // A script event does not wait for a tick, and replaces input the pass put in the slot.
      from_script_ = play_next();
      if (from_script_) break;
    }
    if ((running_ || step_requested_) && slot_.kind == -1) {
      slot_.kind = Periodic;
      ticked_ = false;
      step_requested_ = false;
      play_one_requested_ = false;
    }
  }
  if (recording_) record();
  Event event = slot_;
  if (quit_requested_) event.kind = Quit;
  return event;
}

EventCore::View EventCore::view() const {
  return {slot_,      running_, step_requested_,     quit_requested_, ticked_,       ctrl_held_,
          recording_, playing_, play_one_requested_, from_script_,    recorded_run_, playback_run_};
}

}  // namespace zr590
