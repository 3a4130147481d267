#include "history.h"

#include <algorithm>

History::~History() {
  for (std::size_t i = 0; i < steps_.size(); ++i) destroyHeld(steps_[i], i < done_);
}

std::size_t History::heldBy(const Step& step, bool done) {
  // A removal done, or an addition undone, holds its run out of the list.
  const bool held = done ? step.kind == Step::Kind::Removed : step.kind == Step::Kind::Added;
  return held ? static_cast<std::size_t>(step.run.count) : 0;
}

void History::destroyHeld(const Step& step, bool done) {
  if (heldBy(step, done) > 0) ShapeList::destroy(step.run);
}

void History::keepToBudget() {
  largest_ = std::max(largest_, static_cast<std::size_t>(shapes_.size()));
  const std::size_t budget = largest_ * kBytesPerShape + extraBytes_;
  auto cost = [](std::size_t held, std::size_t steps) {
    return held * kBytesPerShape + steps * sizeof(Step);
  };
  // The newest done step always stays: it may be the clear of the largest drawing.
  std::size_t drop = 0, held = held_;
  while (drop + 1 < done_ && cost(held, steps_.size() - drop) > budget) {
    held -= heldBy(steps_[drop], true);
    destroyHeld(steps_[drop], true);
    ++drop;
  }
  if (drop == 0) return;
  steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(drop));
  done_ -= drop;
  held_ = held;
}

void History::makeRoom() {
  if (steps_.size() == steps_.capacity()) steps_.reserve(2 * steps_.size() + 16);
}

void History::push(const Step& step) {
  // Room first, so that running out of memory throws before anything has changed here (and,
  // for a removal, before the shapes are taken out).
  makeRoom();
  largest_ = std::max(largest_, static_cast<std::size_t>(shapes_.size()));
  for (std::size_t i = done_; i < steps_.size(); ++i) {
    held_ -= heldBy(steps_[i], false);
    destroyHeld(steps_[i], false);
  }
  steps_.resize(done_);
  steps_.push_back(step);
  done_ = steps_.size();
  held_ += heldBy(step, true);
  ++changes_;
}

void History::added(const ShapeChain& run) {
  if (run.count == 0) return;
  push({Step::Kind::Added, run, nullptr, {}});
  keepToBudget();
}

bool History::remove(Shape* shape) {
  Shape* newer = nullptr;
  if (!shapes_.find(shape, newer)) return false;
  const ShapeChain run{shape, shape, 1};
  push({Step::Kind::Removed, run, newer, {}});
  shapes_.unlink(newer, run);
  keepToBudget();
  return true;
}

bool History::removeAll() {
  const ShapeChain run = shapes_.all();
  if (run.count == 0) return false;
  push({Step::Kind::Removed, run, nullptr, {}});
  shapes_.unlink(nullptr, run);
  keepToBudget();
  return true;
}

void History::edited(Shape& shape, const RecordFields& before) {
  if (shape.fields() == before) return;
  push({Step::Kind::Edited, {&shape, &shape, 1}, nullptr, before});
  keepToBudget();
}

void History::swapValues(Step& step) {
  const RecordFields now = step.run.newest->fields();
  step.run.newest->setFields(step.values);
  step.values = now;
}

bool History::undo() {
  if (!canUndo()) return false;
  Step& step = steps_[--done_];
  held_ = held_ - heldBy(step, true) + heldBy(step, false);
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
  held_ = held_ - heldBy(step, false) + heldBy(step, true);
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
