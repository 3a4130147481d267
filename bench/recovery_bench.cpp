// What keeping the recovery copy of a large drawing costs the editor's own thread: with a
// drawing of 100,000 shapes (or SHAPES), the time from a change to the editor being ready for
// the next event while the copy is written beside it, against the time the whole durable write
// takes, measured in the same run. The editor's tick is 100 ms: the first figure must stay well
// under it. Reports only; it never fails on time.
//
//   recovery_bench [SHAPES]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "one_point_shapes.h"
#include "record_writer.h"
#include "recovery.h"
#include "shape_list.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 10;

double milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int shapes = argc > 1 ? std::atoi(argv[1]) : 100000;
  char pattern[] = "/tmp/recovery-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return 1;
  const std::filesystem::path state = pattern;
  ShapeList drawing;
  for (int i = 0; i < shapes; ++i) drawing.add(new Square(i % 600 - 300, i % 500 - 250, i % 23, 0));

  Clock::time_point now{};
  Recovery recovery(RecoveryCopy(state, "/bench"), [&now] { return now; });
  const RecoveryCopy copy(state, "/bench");
  double editorBest = 0, wholeBest = 0;
  for (int round = 0; round < kRounds; ++round) {
    // The editor's part: the change, then the event after an idle second starts the write.
    recovery.changed(drawing, false);
    now += Recovery::kIdleBeforeWriting;
    const auto start = Clock::now();
    recovery.idle(drawing);
    const double editor = milliseconds(Clock::now() - start);
    recovery.waitForWriter();
    // The whole write, as the writer does it, on this thread.
    const auto whole = Clock::now();
    copy.write(formatRecords(drawing));
    const double all = milliseconds(Clock::now() - whole);
    if (round == 0 || editor < editorBest) editorBest = editor;
    if (round == 0 || all < wholeBest) wholeBest = all;
  }
  std::printf("recovery copy of %d shapes (%ju bytes), best of %d:\n", shapes,
              static_cast<std::uintmax_t>(std::filesystem::file_size(copy.file())), kRounds);
  std::printf("  editor's thread, change to next event: %8.2f ms (%.0f%% of a 100 ms tick)\n",
              editorBest, editorBest);
  std::printf("  the whole durable write:               %8.2f ms\n", wholeBest);
  std::printf("  ratio editor / whole write:            %8.2f\n", editorBest / wholeBest);
  recovery.finish(drawing);
  std::filesystem::remove_all(state);
  return 0;
}
