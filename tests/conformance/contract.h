// The platform contract's conformance suite: the same cases against every backend, each
// through a small adapter that plays the user (clicks, keys, the close box, the dialog) and
// reads back what the window shows. The cases open the library on the backend as a program
// does and watch every message that reaches the window procedures.
//
// No test framework: the Windows build of the suite runs under Wine, where GoogleTest is not
// at hand. Each case prints "ok NAME" or "FAIL NAME" with what differed; the exit status is
// the number of failed cases (capped).
#pragma once

#include <string>

#include "platform/platform.h"

namespace zr590::conformance {

class Adapter {
 public:
  virtual ~Adapter() = default;

  // A fresh backend for one case; the previous one is gone.
  virtual platform::Platform& start() = 0;
  // The case is over: the backend and its windows go.
  virtual void finish() = 0;

  // --- the user; each action has reached the program's queue when the call returns ---
  // Presses (and releases) the left button at this client pixel of the graphics window.
  virtual void click(int x, int y) = 0;
  // Presses or releases a key of the graphics window by virtual-key code (letters 65-90,
  // Ctrl 17); a letter pressed types its lower-case character, or its control code with Ctrl.
  virtual void key(int key_code, bool down) = 0;
  // Clicks the graphics window's close box.
  virtual void close_box() = 0;
  // Clicks the text window's close box; false where the backend's text window has none.
  virtual bool text_close_box() = 0;
  // The next line dialog gets this typed into its line box, then Enter.
  virtual void answer_dialog(const std::string& text) = 0;

  // --- time and the screen ---
  // The program is busy this long and takes no message; the backend's timers run on.
  virtual void let_time_pass(int ms) = 0;
  // The clock the backend's timers run by, in milliseconds.
  virtual double now_ms() = 0;
  // Processor time the program's thread has used, in milliseconds.
  virtual double cpu_ms() = 0;
  // What the graphics window shows at this client pixel.
  virtual platform::Rgb window_pixel(int x, int y) = 0;
};

// Runs every case (or those named in argv) against the adapter's backend; returns the exit
// status.
int run(Adapter& adapter, int argc, char** argv);

}  // namespace zr590::conformance
