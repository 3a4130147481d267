// Undoing (and redoing) the clearing of a drawing of a million shapes, and the loading of one,
// beside undoing a change to a single shape, measured in the same run. Prints the time of one
// undo and its redo for each, and their ratios: the large changes relink one run of shapes, so
// they cost what the small one costs, whatever the drawing's size. Reports only; it never fails
// on time.
//
//   undo_bench [SHAPES]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "history.h"
#include "one_point_shapes.h"
#include "shape_list.h"

namespace {

constexpr int kBatches = 40;
constexpr int kRounds = 100000;

// Nanoseconds per undo and redo of the change `change` makes: in each batch kRounds undos,
// each followed by its redo; the fastest batch counts, as the one least disturbed by the rest
// of the machine.
template <typename Change>
double nanosecondsPerUndoAndRedo(History& history, Change change) {
  change();
  using Clock = std::chrono::steady_clock;
  double best = 0;
  for (int batch = 0; batch < kBatches; ++batch) {
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
      history.undo();
      history.redo();
    }
    const double each =
        std::chrono::duration<double, std::nano>(Clock::now() - start).count() / kRounds;
    if (batch == 0 || each < best) best = each;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
  ShapeList shapes;
  History history(shapes);
  for (int i = 0; i < count; ++i) shapes.add(new Square(i % 600 - 300, i % 500 - 250, i % 23, 0));

  // One shape moved.
  const double small = nanosecondsPerUndoAndRedo(history, [&] {
    Shape* shape = shapes.newestShape().newest;
    const RecordFields before = shape->fields();
    shape->moveTo(10, 10);
    history.edited(*shape, before);
  });
  // Every shape cleared away ('c'); then the clear undone for good.
  const double clear = nanosecondsPerUndoAndRedo(history, [&] { history.removeAll(); });
  history.undo();
  // As many shapes again loaded on top of the drawing, handed over as LOAD hands them.
  ShapeList loaded;
  for (int i = 0; i < count; ++i) loaded.add(new Square(i % 600 - 300, 0, 1, 1));
  const double load =
      nanosecondsPerUndoAndRedo(history, [&] { history.added(shapes.addAll(loaded)); });

  std::printf("drawing:                 %d shapes (%d after the load)\n", count, shapes.size());
  std::printf("undo and redo, per pair:\n");
  std::printf("  a move of one shape:   %.1f ns\n", small);
  std::printf("  a clear of all shapes: %.1f ns = %.2f x the one-shape change\n", clear,
              clear / small);
  std::printf("  a load of %d:     %.1f ns = %.2f x the one-shape change\n", count, load,
              load / small);
  return 0;
}
