#include "history.h"

History::~History() {
  for (std::size_t i = 0; i < steps_.size(); ++i) destroyHeld(steps_[i], i < done_);
}

void History::destroyHeld(const Step& step, bool done) {
  // A removal done, or an addition undone, holds its run out of the list.
  const bool held = done ? step.kind == Step::Kind::Removed : step.kind == Step::Kind::Added;
  if (held) ShapeList::destroy(step.run);
}

void History::makeRoom() {
  if (steps_.size() == steps_.capacity()) steps_.reserve(2 * steps_.size() + 16);
}

void History::push(const Step& step) {
  // Room first, so that running out of memory throws before anything has changed here (and,
  // for a removal, before the shapes are taken out).
  makeRoom();
  for (std::size_t i = done_; i < steps_.size(); ++i) destroyHeld(steps_[i], false);
  steps_.resize(done_);
  steps_.push_back(step);
  done_ = steps_.size();
  ++changes_;
}

void History::added(const ShapeChain& run) {
  if (run.count == 0) return;
  push({Step::Kind::Added, run, nullptr, {}});
}

bool History::remove(Shape* shape) {
  Shape* newer = nullptr;
  if (!shapes_.find(shape, newer)) return false;
  const ShapeChain run{shape, shape, 1};
  push({Step::Kind::Removed, run, newer, {}});
  shapes_.unlink(newer, run);
  return true;
}

bool History::removeAll() {
  const ShapeChain run = shapes_.all();
  if (run.count == 0) return false;
  push({Step::Kind::Removed, run, nullptr, {}});
  shapes_.unlink(nullptr, run);
  return true;
}

void History::edited(Shape& shape, const RecordFields& before) {
  if (shape.fields() == before) return;
  push({Step::Kind::Edited, {&shape, &shape, 1}, nullptr, before});
}

void History::swapValues(Step& step) {
  const RecordFields now = step.run.newest->fields();
  step.run.newest->setFields(step.values);
  step.values = now;
}

bool History::undo() {
  if (!canUndo()) return false;
  Step& step = steps_[--done_];
  ++changes_;
  switch (step.kind) {
    case Step::Kind::Added:
      shapes_.unlink(step.newer, step.run);
      break;
    case Step::Kind::Removed:
      shapes_.link(step.newer, step.run);
      break;
    case Step::Kind::Edited:
      swapValues(step);
      break;
  }
  return true;
}

bool History::redo() {
  if (!canRedo()) return false;
  Step& step = steps_[done_++];
  ++changes_;
  switch (step.kind) {
    case Step::Kind::Added:
      shapes_.link(step.newer, step.run);
      break;
    case Step::Kind::Removed:
      shapes_.unlink(step.newer, step.run);
      break;
    case Step::Kind::Edited:
      swapValues(step);
      break;
  }
  return true;
}
