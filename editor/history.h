// Undo and redo of the changes to a drawing. Each step keeps only what its change touched: a
// shape's values before or after an edit, or the run of shapes a change put into the list or
// took out of it, kept linked as it was. So undoing the clearing or the loading of a million
// shapes, and redoing it, relinks one run in constant time; nothing is copied.
//
// Every change to the list must go through here (or be reported here at once), so that when a
// step is undone the list is exactly as that change left it, and the places the step recorded
// are still valid.
//
// The history is bounded: once what only it holds (shapes taken out, or put back by an undone
// step, and the steps themselves) exceeds a budget, the oldest steps go. The budget is as many
// shapes as the largest drawing so far plus `extraBytes` (64 MB) of other steps, so the clear
// or the load of the largest drawing can always be undone, and memory stops growing however
// long the editor runs.
#pragma once

#include <cstddef>
#include <vector>

#include "shape.h"
#include "shape_list.h"

class History {
 public:
  static constexpr std::size_t kExtraBytes = std::size_t{64} << 20;
  // What one shape costs (the largest kind, with its allocation), for the budget.
  static constexpr std::size_t kBytesPerShape = 48;

  explicit History(ShapeList& shapes, std::size_t extraBytes = kExtraBytes)
      : shapes_(shapes), extraBytes_(extraBytes) {}
  // Destroys the shapes that only the history holds (taken out and not put back, or put back
  // by a step that was then undone).
  ~History();
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  // Makes room for one more step, so that reporting the next change cannot run out of memory
  // once the change is made. May throw std::bad_alloc, before anything has changed.
  void makeRoom();
  // A change just made: `run` was put on top of the drawing (a new shape, or what LOAD read).
  // An empty run is no change.
  void added(const ShapeChain& run);
  // Takes `shape` out of the drawing, keeping it for undo. False (and no step) if it is not
  // in the drawing.
  bool remove(Shape* shape);
  // Takes every shape out of the drawing at once. False (and no step) if there was none.
  bool removeAll();
  // A change just made to `shape`, whose values were `before`; no step if they are unchanged.
  void edited(Shape& shape, const RecordFields& before);

  // Undoes the last change not undone / redoes the last change undone. False if there is none.
  bool undo();
  bool redo();
  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  // Counts every change made, undone or redone: a different count, a changed drawing.
  std::size_t changes() const { return changes_; }
  // Shapes that only the history holds, and the steps it keeps.
  std::size_t heldShapes() const { return held_; }
  std::size_t steps() const { return steps_.size(); }

 private:
  struct Step {
    enum class Kind : unsigned char { Added, Removed, Edited } kind;
    // Added, Removed: the run, and where it lies in the list: after `newer` (nullptr: at the
    // head).
    ShapeChain run;
    Shape* newer = nullptr;
    // Edited: the shape's values on the other side of the step (swapped on undo and redo).
    RecordFields values{};
  };

  // A new change: the changes undone can no longer be redone.
  void push(const Step& step);
  // The step's shapes, where the step holds them out of the list.
  static void destroyHeld(const Step& step, bool done);
  // How many shapes the step holds out of the list, done or undone.
  static std::size_t heldBy(const Step& step, bool done);
  // Drops the oldest done steps while the history holds more than its budget.
  void keepToBudget();
  static void swapValues(Step& step);

  ShapeList& shapes_;
  std::vector<Step> steps_;
  std::size_t done_ = 0;  // steps_[0, done_) are done; the rest were undone
  std::size_t changes_ = 0;
  std::size_t extraBytes_;
  std::size_t held_ = 0;     // shapes only the steps hold
  std::size_t largest_ = 0;  // the largest drawing so far, in shapes
};
