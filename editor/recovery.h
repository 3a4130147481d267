// Keeping an unsaved drawing safe: while the drawing differs from what was last saved or
// loaded, its recovery copy follows it, written once the editor has been idle for about a
// second after a change, and at the end. Saving, or emptying the drawing by hand, removes the
// copy. A copy found at the start is offered back until the drawing is first changed; then it
// is put aside under a dated name.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "recovery_copy.h"

class ShapeList;

class Recovery {
 public:
  using Clock = std::chrono::steady_clock;

  explicit Recovery(RecoveryCopy copy, std::function<Clock::time_point()> now = Clock::now);
  // Waits for a copy being written.
  ~Recovery();
  Recovery(const Recovery&) = delete;
  Recovery& operator=(const Recovery&) = delete;

  // The hint for a copy found at the start; empty if there was none.
  const std::string& offer() const { return offer_; }
  // The copy offered at the start, to be read back; the offer ends.
  std::filesystem::path takeOffer();

  // The drawing changed (not by saving or loading into an empty, unchanged drawing). Ends the
  // offer, putting the copy offered aside.
  void changed(const ShapeList& shapes, bool emptiedByHand);
  // What is drawn now is in a file: saved, or loaded into an empty, unchanged drawing.
  void saved();
  // An event came: writes the copy if the drawing has been idle long enough since a change.
  void idle(const ShapeList& shapes);
  // The editor ends: the copy is brought up to date now, and the write waited for.
  void finish(const ShapeList& shapes);
  // Returns once a copy being written is complete.
  void waitForWriter();

  static constexpr std::chrono::milliseconds kIdleBeforeWriting{1000};

 private:
  void write(const ShapeList& shapes);
  void endOffer();

  RecoveryCopy copy_;
  std::function<Clock::time_point()> now_;
  std::string offer_;
  bool unsaved_ = false;  // the drawing differs from what is in a file
  bool written_ = true;   // the copy holds the drawing as it is
  Clock::time_point changedAt_{};
  struct Writer;
  std::unique_ptr<Writer> writer_;
};
