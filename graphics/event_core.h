// The event core: the state machine behind ZR590_await_event. It owns the single event slot,
// the animation state (running, a requested step, quit), the timer's `ticked`, Ctrl, and where
// events come from and go to besides live input (script playback and recording, with their
// runs of periodic events). Everything that changes this state is one of its verbs: input
// arrived (from the window procedures), a tick, a command, the next event. Nothing else
// writes it; tests read it through view().
#pragma once

namespace zr590 {

// One event: a kind (-1 none yet, else an EventKind), the press position in library
// coordinates, the typed character.
struct Event {
  int kind = -1;
  int x = 0;
  int y = 0;
  char key = 0;
  friend bool operator==(const Event&, const Event&) = default;
};

class EventCore {
 public:
  // --- input arrived (the graphics window procedure) ---
  // A left-button press at library point (x, y); it replaces whatever the slot held.
  void mouse_pressed(int x, int y);
  // A typed character (its low 8 bits); dropped while Ctrl is held.
  void character_typed(int code);
  // A key went down. Returns whether it is a shortcut: a key other than Ctrl pressed while
  // Ctrl is held.
  bool key_down(int key_code);
  void key_up(int key_code);
  // Ctrl may be released where no key-up reaches the windows: losing the focus releases it.
  void focus_lost();
  // The timer ticked.
  void tick();

  // --- commands ---
  // The effect of a "&Run" command on events: Animate, Halt, Advance one frame, Record,
  // Playback and Play One. Other ids do nothing here.
  void command(int id);
  // ZR590_animate's states (AnimationState); other values do nothing.
  void animate(int state);
  // The library closes: a script file still open is closed.
  void close_script();

  // --- the next event ---
  // Waits for the next event: empties the slot, pumps the platform's messages one per pass
  // until input, a due periodic event, the quit message or a script event fills it, records
  // it when recording, and returns it (as Quit once ZR590_animate asked to quit).
  Event next_event();

  // What the core holds, for tests.
  struct View {
    Event slot;
    bool running, step_requested, quit_requested, ticked, ctrl_held;
    bool recording, playing, play_one_requested;
    bool from_script;  // the event last returned was played from the script
    int recorded_run;  // periodic events returned and not yet written to the script
    int playback_run;  // periodic events still to play from the last periodic line read
  };
  View view() const;

 private:
  void pump_one_message();
  bool may_block() const;
  bool slot_ready() const;
  bool play_next();
  void stop_playback();
  void start_recording();
  void stop_recording();
  void record();

  Event slot_;
  bool running_ = false;
  bool step_requested_ = false;
  bool quit_requested_ = false;
  bool ticked_ = false;
  bool ctrl_held_ = false;
  bool recording_ = false;
  bool playing_ = false;
  bool play_one_requested_ = false;
  int recorded_run_ = 0;
  int playback_run_ = 0;
  bool from_script_ = false;
};

// The library's one event core.
EventCore& event_core();

}  // namespace zr590
