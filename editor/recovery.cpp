#include "recovery.h"

#include "record_writer.h"
#include "shape_list.h"

// Where the library has threads, the copy is written beside the editor, so a large drawing's
// write never delays input; the editor only formats the records. Elsewhere (the browser, a
// Windows build without std::thread) it is written at once.
#if defined(_GLIBCXX_HAS_GTHREADS) && !defined(__EMSCRIPTEN__)
#include <thread>
struct Recovery::Writer {
  std::thread thread;
  void start(const RecoveryCopy& copy, std::string records) {
    thread = std::thread([&copy, records = std::move(records)] { copy.write(records); });
  }
  void wait() {
    if (thread.joinable()) thread.join();
  }
};
#else
struct Recovery::Writer {
  void start(const RecoveryCopy& copy, const std::string& records) { copy.write(records); }
  void wait() {}
};
#endif

Recovery::Recovery(RecoveryCopy copy, std::function<Clock::time_point()> now)
    : copy_(std::move(copy)), now_(std::move(now)), writer_(std::make_unique<Writer>()) {
  if (const std::optional<std::time_t> when = copy_.keptAt()) offer_ = recoveryHint(*when);
}

Recovery::~Recovery() {
  waitForWriter();
}

std::filesystem::path Recovery::takeOffer() {
  offer_.clear();
  return copy_.file();
}

void Recovery::endOffer() {
  if (offer_.empty()) return;
  offer_.clear();
  copy_.putAside();
}

void Recovery::changed(const ShapeList& shapes, bool emptiedByHand) {
  waitForWriter();
  endOffer();
  if (shapes.size() == 0) {
    // An empty drawing is nothing to keep; emptied by hand, what was kept goes too.
    if (emptiedByHand) copy_.remove();
    unsaved_ = false;
    written_ = true;
    return;
  }
  unsaved_ = true;
  written_ = false;
  changedAt_ = now_();
}

void Recovery::saved() {
  waitForWriter();
  endOffer();
  copy_.remove();
  unsaved_ = false;
  written_ = true;
}

void Recovery::idle(const ShapeList& shapes) {
  if (unsaved_ && !written_ && now_() - changedAt_ >= kIdleBeforeWriting) write(shapes);
}

void Recovery::finish(const ShapeList& shapes) {
  if (unsaved_ && !written_) write(shapes);
  waitForWriter();
}

void Recovery::write(const ShapeList& shapes) {
  waitForWriter();
  writer_->start(copy_, formatRecords(shapes));
  written_ = true;
}

void Recovery::waitForWriter() {
  writer_->wait();
}
