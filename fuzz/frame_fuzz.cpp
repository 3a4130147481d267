// Retained frames on arbitrary library call sequences and editor sessions: whatever the program
// draws, the picture and every copy the window receives must equal drawing each call at once.
// Each input runs twice, first with every command drawn at once (FrameCheck), through the
// sessions the frame tests run (frame_sessions.h) with the input's bytes as their choices. The
// first byte chooses the session. Sessions are kept short (a few frames, few editor messages,
// and an editor session for one input in 32: its start alone costs a dozen library frames),
// so that a long campaign tries hundreds of inputs a second rather than a handful.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frame_check.h"
#include "frame_sessions.h"
#include "fuzz_support.h"

namespace {

using zr590::testing::FrameCheck;

constexpr int kFrames = 4;
constexpr int kCallsAtOnce = 12;
constexpr int kEditorMessages = 8;

// Choices from the input: each takes as many bytes as its range needs; once the bytes are used
// up every choice is the lowest and the session ends.
class FromBytes final : public zr590::testing::Choices {
 public:
  FromBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int in(int lo, int hi) override {
    const std::uint64_t range = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    std::uint64_t value = 0;
    for (std::uint64_t span = 1; span < range && at_ < size_; span <<= 8) {
      value = value << 8 | data_[at_++];
    }
    return static_cast<int>(lo + static_cast<std::int64_t>(value % range));
  }
  bool exhausted() const override { return at_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  fuzz::FreshLibrary library;
  fuzz::InScratchFolder in_scratch;  // SAVE writes here
  // One for the run: its snapshot buffers are reused, not allocated again for every input.
  static FrameCheck check(library.platform);
  const std::string difference = check.run([&] {
    FromBytes choose(data + 1, size - 1);
    if ((data[0] & 31) == 1) {
      zr590::testing::editor_session(choose, kEditorMessages, library.platform);
    } else {
      zr590::testing::library_session(choose, check, library.platform, kFrames, kCallsAtOnce);
    }
  });
  if (!difference.empty()) fuzz::fail(difference);
  return 0;
}
